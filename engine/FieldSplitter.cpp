#include "engine/FieldSplitter.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace {

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SkipCSpace(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    return text.substr(i);
}

// Takes an optional sign off the text; true when it was a minus.
bool TakeSign(std::string_view& text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        const bool negative = text.front() == '-';
        text.remove_prefix(1);
        return negative;
    }
    return false;
}

size_t CountDigits(std::string_view text, size_t from) {
    size_t i = from;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i - from;
}

// The length of the longest prefix of text that is an unsigned decimal number: digits with an
// optional point, then an exponent only when it has digits. 0 when there is no number.
size_t DecimalNumberLength(std::string_view text) {
    const size_t integerDigits = CountDigits(text, 0);
    size_t length = integerDigits;
    size_t fractionDigits = 0;
    if (length < text.size() && text[length] == '.') {
        fractionDigits = CountDigits(text, length + 1);
        length += 1 + fractionDigits;
    }
    if (integerDigits + fractionDigits == 0) {
        return 0;
    }
    if (length < text.size() && (text[length] == 'e' || text[length] == 'E')) {
        size_t exponent = length + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const size_t exponentDigits = CountDigits(text, exponent);
        if (exponentDigits > 0) {
            length = exponent + exponentDigits;
        }
    }
    return length;
}

// from_chars reports a value beyond the double range without giving it; strtod gives infinity
// for an overflow and zero for an underflow. A nonzero mantissa overflows when its decimal
// magnitude is positive.
double OutOfRangeValue(std::string_view number) {
    const size_t exponentAt = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentAt);
    long long magnitude = 0;
    if (exponentAt != std::string_view::npos) {
        std::string_view exponent = number.substr(exponentAt + 1);
        const bool negative = TakeSign(exponent);
        long long value = 0;
        for (char c : exponent) {
            value = std::min(value * 10 + (c - '0'), 1000000000LL);
        }
        magnitude = negative ? -value : value;
    }
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero < point) {
        magnitude += static_cast<long long>(point - firstNonZero);
    } else {
        magnitude -= static_cast<long long>(firstNonZero - point - 1);
    }
    return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

int FieldSplitter::Split(std::string_view text, std::string_view delimiter) {
    for (std::string& field : m_strItem) {
        field.clear();
    }
    std::string_view rest = text;
    for (int k = 0; k < kFieldCount; ++k) {
        const size_t found = rest.find(delimiter);
        if (found == std::string_view::npos) {
            m_strItem[k].assign(rest);
            return k;
        }
        m_strItem[k].assign(rest.substr(0, found));
        rest.remove_prefix(found + delimiter.size());
    }
    return kFieldCount;
}

double FieldSplitter::ParseDouble(std::string_view text) {
    text = SkipCSpace(text);
    const bool negative = TakeSign(text);
    const std::string_view number = text.substr(0, DecimalNumberLength(text));
    if (number.empty()) {
        return 0.0;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = OutOfRangeValue(number);
    }
    return negative ? -value : value;
}

int FieldSplitter::ParseInt(std::string_view text) {
    std::string_view rest = SkipCSpace(text);
    const bool negative = TakeSign(rest);
    long long value = 0;
    for (size_t i = 0; i < rest.size() && IsDigit(rest[i]); ++i) {
        value = std::min(value * 10 + (rest[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) {
        value = -value;
    }
    value = std::min<long long>(std::max<long long>(value, INT_MIN), INT_MAX);
    if (value != 0) {
        return static_cast<int>(value);
    }
    return HexLetterValue(text);
}

int FieldSplitter::HexLetterValue(std::string_view text) {
    if (text.size() == 1 && text[0] >= 'a' && text[0] <= 'f') {
        return 10 + (text[0] - 'a');
    }
    return 0;
}

std::string FieldSplitter::FormatNumber(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    // to_chars writes at least two exponent digits, as C99 does; the stored files have three.
    const size_t exponent = text.find('e');
    if (exponent != std::string::npos) {
        const size_t digits = text.size() - (exponent + 2);
        text.insert(exponent + 2, digits < 3 ? 3 - digits : 0, '0');
    }
    return text;
}

std::string FieldSplitter::NormalizeGroupCode(std::string_view code) {
    const int letterValue = HexLetterValue(code);
    if (letterValue != 0) {
        return std::to_string(letterValue);
    }
    if (code == "Jww") {
        return "99999";
    }
    return std::string(code);
}
