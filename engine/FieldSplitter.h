#pragma once

#include <string>
#include <string_view>

// Cuts a line into at most 20 fields at a delimiter, and converts field texts to numbers and
// back. Lengths and positions are bytes; texts of any length are handled whole.
class FieldSplitter {
public:
    static constexpr int kFieldCount = 20;

    FieldSplitter() = default;
    virtual ~FieldSplitter() = default;

    // Fills m_strItem with the pieces of text between occurrences of delimiter and returns the
    // number of occurrences consumed (0 to 20). Pieces past the 20th occurrence are dropped;
    // fields past the last piece are empty. An empty delimiter is found at once, every time.
    int Split(std::string_view text, std::string_view delimiter);

    // atof: C white space, sign, decimal digits with an optional point and exponent; anything
    // else, "inf", "nan" and hexadecimal included, ends the number. No number reads as 0.
    static double ParseDouble(std::string_view text);
    // atol saturated to 32 bits, or HexLetterValue when that gives 0.
    static int ParseInt(std::string_view text);
    // "a" to "f" give 10 to 15; any other text 0.
    static int HexLetterValue(std::string_view text);
    // "%.15g" with a three-digit exponent ("1e-005") on every platform.
    static std::string FormatNumber(double value);
    // "a" to "f" give "10" to "15", "Jww" gives "99999"; any other code is returned unchanged.
    static std::string NormalizeGroupCode(std::string_view code);

    std::string m_strItem[kFieldCount];
};
