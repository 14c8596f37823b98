#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "engine/FieldSplitter.h"
#include "fuzz/FuzzSupport.h"

// ParseDouble, ParseInt and FormatNumber against the C library in the "C" locale. The library's
// conversions see only the decimal prefix that the model cuts out, so hex, "inf" and "nan" never
// reach them.
namespace {

constexpr char kDigits[] = "0123456789";

bool At(std::string_view text, size_t at, std::string_view bytes) {
    return at < text.size() && bytes.find(text[at]) != std::string_view::npos;
}

size_t Skip(std::string_view text, size_t at, std::string_view bytes) {
    while (At(text, at, bytes)) {
        ++at;
    }
    return at;
}

// White space, sign and the longest decimal number after them; empty when it has no digit.
std::string DecimalPrefix(std::string_view text, bool real) {
    size_t at = Skip(text, 0, " \t\n\v\f\r");
    at += At(text, at, "+-") ? 1 : 0;
    const size_t number = at;
    at = Skip(text, at, kDigits);
    if (real && At(text, at, ".")) {
        at = Skip(text, at + 1, kDigits);
    }
    if (at == number || text.substr(number, at - number) == ".") {
        return {};
    }
    const size_t exponent = At(text, at + 1, "+-") ? at + 2 : at + 1;
    if (real && At(text, at, "eE") && At(text, exponent, kDigits)) {
        at = Skip(text, exponent, kDigits);
    }
    return std::string(text.substr(0, at));
}

int ModelInt(std::string_view text) {
    const long long value = std::strtoll(DecimalPrefix(text, false).c_str(), nullptr, 10);
    if (value == 0 && text.size() == 1 && text[0] >= 'a' && text[0] <= 'f') {
        return text[0] - 'a' + 10;
    }
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// "%.15g" with the exponent widened to three digits.
void CheckFormat(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    const size_t exponent = text.find('e');
    if (exponent != std::string::npos && exponent + 4 == text.size()) {
        text.insert(exponent + 2, "0");
    }
    FUZZ_CHECK(!std::isfinite(value) || FieldSplitter::FormatNumber(value) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    const double value = FieldSplitter::ParseDouble(text);
    const double expected = std::strtod(DecimalPrefix(text, true).c_str(), nullptr);
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
