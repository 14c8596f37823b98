#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/FieldSplitter.h"
#include "fuzz/FuzzSupport.h"

// ParseDouble, ParseInt and FormatNumber against the C library, which runs in the "C" locale
// here: the library's conversions see only the decimal prefix that the model cuts out, so hex,
// "inf" and "nan" never reach them.
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(std::string_view text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// White space, sign and the longest decimal number after them; empty when there is no number.
std::string DecimalPrefix(std::string_view text, bool allowFraction) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    const size_t digitsFrom = at;
    at = SkipDigits(text, at);
    size_t digitCount = at - digitsFrom;
    if (allowFraction && at < text.size() && text[at] == '.') {
        const size_t fractionEnd = SkipDigits(text, at + 1);
        digitCount += fractionEnd - (at + 1);
        at = fractionEnd;
    }
    if (digitCount == 0) {
        return {};
    }
    if (allowFraction && at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            at = exponentEnd;
        }
    }
    return std::string(text.substr(0, at));
}

double ModelDouble(std::string_view text) {
    const std::string number = DecimalPrefix(text, true);
    if (number.empty()) {
        return 0.0;
    }
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    FUZZ_CHECK(end == number.c_str() + number.size());
    return value;
}

int ModelInt(std::string_view text) {
    const std::string number = DecimalPrefix(text, false);
    long long value = 0;
    if (!number.empty()) {
        value = std::strtoll(number.c_str(), nullptr, 10);
        value = std::clamp<long long>(value, INT_MIN, INT_MAX);
    }
    if (value != 0) {
        return static_cast<int>(value);
    }
    if (text.size() == 1 && text[0] >= 'a' && text[0] <= 'f') {
        return text[0] - 'a' + 10;
    }
    return 0;
}

// "%.15g" of the C library with the exponent widened to three digits.
std::string ModelFormat(double value) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer, static_cast<size_t>(length));
    const size_t exponent = text.find('e');
    if (exponent != std::string::npos && text.size() - (exponent + 2) < 3) {
        text.insert(exponent + 2, 3 - (text.size() - (exponent + 2)), '0');
    }
    return text;
}

void CheckFormat(double value) {
    if (std::isfinite(value)) {
        FUZZ_CHECK(FieldSplitter::FormatNumber(value) == ModelFormat(value));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    const double value = FieldSplitter::ParseDouble(text);
    const double expected = ModelDouble(text);
    FUZZ_CHECK(value == expected && std::signbit(value) == std::signbit(expected));
    FUZZ_CHECK(FieldSplitter::ParseInt(text) == ModelInt(text));
    CheckFormat(value);
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        CheckFormat(raw);
    }
    return 0;
}
