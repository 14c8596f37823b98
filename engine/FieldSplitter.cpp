#include "engine/FieldSplitter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
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

__extension__ using Uint128 = unsigned __int128;

constexpr auto kPowersOf10 = [] {
    std::array<uint64_t, 20> powers{};
    uint64_t power = 1;
    for (uint64_t& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();
constexpr int kDigits = 15;
constexpr uint64_t kLowestDigits = kPowersOf10[kDigits - 1];
constexpr uint64_t kDigitsEnd = kPowersOf10[kDigits];
// The decimal exponents printed without an exponent by "%.15g".
constexpr int kFixedLowest = -4;
constexpr int kFixedHighest = kDigits - 1;

// The fifteen significant digits of magnitude x 10^scale, rounded to nearest from the exact
// binary value; 0 when they do not fill exactly fifteen digits or the rounding is a tie. The
// magnitude is in [1e-4, 1e15): it is mantissa x 2^-shift with 2 < shift < 67, and the product
// with 10^scale stays below 2^113.
uint64_t RoundedDigits(double magnitude, int scale) {
    const uint64_t bits = std::bit_cast<uint64_t>(magnitude);
    const uint64_t mantissa = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    const int shift = 1075 - static_cast<int>(bits >> 52);
    const Uint128 product = Uint128{mantissa} * kPowersOf10[static_cast<size_t>(scale)];
    const Uint128 half = Uint128{1} << (shift - 1);
    const Uint128 remainder = product & ((half << 1) - 1);
    const uint64_t digits = static_cast<uint64_t>(product >> shift) + (remainder > half ? 1 : 0);
    if (remainder == half || digits < kLowestDigits || digits >= kDigitsEnd) {
        return 0;
    }
    return digits;
}

// Writes the fifteen digits of a number below 10^15, two at a time.
void WriteDigits(uint64_t digits, char* out) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    uint32_t high = static_cast<uint32_t>(digits / 100000000);
    uint32_t low = static_cast<uint32_t>(digits % 100000000);
    for (int k = 6; k >= 0; k -= 2) {
        std::memcpy(out + 7 + k, kPairs + 2 * (low % 100), 2);
        low /= 100;
    }
    for (int k = 5; k >= 0; k -= 2) {
        std::memcpy(out + k, kPairs + 2 * (high % 100), 2);
        high /= 100;
    }
    out[0] = static_cast<char>('0' + high);
}

// "%.15g" for the values whose decimal exponent is in the fixed range, from integer arithmetic
// alone: the text's length, or 0 for any other value, which takes the general conversion.
size_t FormatFixedExactly(double value, char* text) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e15)) {
        return 0;
    }
    // floor(log10(2^exponent)) is the decimal exponent or one below it; RoundedDigits checks
    // the estimate exactly.
    const int binaryExponent = static_cast<int>(std::bit_cast<uint64_t>(magnitude) >> 52) - 1023;
    int scale = kFixedHighest - ((binaryExponent * 1233) >> 12);
    if (magnitude * static_cast<double>(kPowersOf10[static_cast<size_t>(scale)]) >=
        static_cast<double>(kDigitsEnd)) {
        --scale;
    }
    const uint64_t digits =
        scale <= kFixedHighest - kFixedLowest ? RoundedDigits(magnitude, scale) : 0;
    if (digits == 0) {
        return 0;
    }
    char buffer[kDigits];
    WriteDigits(digits, buffer);
    size_t significant = kDigits;
    while (buffer[significant - 1] == '0') {
        --significant;
    }
    const int exponent = kFixedHighest - scale;
    char* out = text;
    if (value < 0) {
        *out++ = '-';
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        out = std::copy_n(buffer, significant, out);
        return static_cast<size_t>(out - text);
    }
    const size_t integerDigits = static_cast<size_t>(exponent) + 1;
    out = std::copy_n(buffer, integerDigits, out);
    if (significant > integerDigits) {
        *out++ = '.';
        out = std::copy_n(buffer + integerDigits, significant - integerDigits, out);
    }
    return static_cast<size_t>(out - text);
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
    const size_t length = FormatFixedExactly(value, buffer);
    if (length != 0) {
        return std::string(buffer, length);
    }
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
