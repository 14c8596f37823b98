#include <climits>
#include <cmath>
#include <cstring>

#include "engine/FieldSplitter.h"
#include "fuzz/FuzzSupport.h"

// The conversions against the C library's in the "C" locale. ParseDouble reads decimal numbers
// only: a hexadecimal number as its leading 0, "inf" and "nan" as no number.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string terminated(text);
    char* end = nullptr;
    double expected = std::strtod(terminated.c_str(), &end);
    const std::string_view read(terminated.c_str(), static_cast<size_t>(end - terminated.c_str()));
    if (read.find_first_of("xX") != std::string_view::npos) {
        expected = std::copysign(0.0, expected);
    } else if (read.find_first_of("iInN") != std::string_view::npos) {
        expected = 0.0;
    }
    const double value = FieldSplitter::ParseDouble(text);
    assert(value == expected && std::signbit(value) == std::signbit(expected));

    // Saturated to 32 bits; a lone group letter "a" to "f" reads as 10 to 15.
    const long long integer = std::strtoll(terminated.c_str(), nullptr, 10);
    const bool letter = size == 1 && text[0] >= 'a' && text[0] <= 'f';
    assert(FieldSplitter::ParseInt(text) ==
           (integer == 0 && letter ? text[0] - 'a' + 10
                                   : std::clamp<long long>(integer, INT_MIN, INT_MAX)));

    // "%.15g" with a three-digit exponent, for the value read and for the input's first bytes,
    // as they stand and moved to about 2^-77 to 2^49, where most numbers take the fixed form.
    double raw = 0;
    std::memcpy(&raw, data, std::min(size, sizeof raw));
    int binaryExponent = 0;
    const double mantissa = std::frexp(raw, &binaryExponent);
    const double moved = std::ldexp(mantissa, binaryExponent % 64 - 14);
    for (const double number : {value, raw, moved}) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", number);
        std::string formatted = buffer;
        const size_t exponent = formatted.find('e');
        if (exponent != std::string::npos && exponent + 4 == formatted.size()) {
            formatted.insert(exponent + 2, 1, '0');
        }
        assert(!std::isfinite(number) || FieldSplitter::FormatNumber(number) == formatted);
    }
    return 0;
}
