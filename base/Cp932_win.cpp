#include "base/Cp932_win.h"

#include <windows.h>

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring WideFromCp932(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(kShiftJis, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(kShiftJis, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

std::optional<std::string> Cp932FromWide(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int byteLength = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text.data(), length,
                                               nullptr, 0, nullptr, &usedDefault);
    if (usedDefault || byteLength <= 0) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(byteLength), '\0');
    WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(),
                        byteLength, nullptr, nullptr);
    return bytes;
}
