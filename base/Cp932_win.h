#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the Shift-JIS (code page 932) bytes the program works in and the UTF-16 of
// the window system, independent of the system's ANSI code page.
std::wstring WideFromCp932(std::string_view text);
// nullopt when the text holds a character that code page 932 cannot represent.
std::optional<std::string> Cp932FromWide(std::wstring_view text);
