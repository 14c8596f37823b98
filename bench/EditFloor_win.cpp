#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

// The floor of the start-up figures: a window whose only work is one multi-line edit control
// filled once with the texts of list.txt (Shift-JIS, one a line), in the style, size and font of
// the form's list.
namespace {

std::wstring ListText() {
    std::ifstream file("list.txt", std::ios::binary);
    std::string bytes;
    for (std::istreambuf_iterator<char> it(file), end; it != end; ++it) {
        if (*it == '\n') {
            bytes += '\r';
        }
        bytes += *it;
    }
    const int length =
        MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"Vosk1EditFloor";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"Vosk1EditFloor", L"floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    HWND edit = CreateWindowW(
        L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY,
        0, 0, 150, 300, window, nullptr, instance, nullptr);
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    // ＭＳ Ｐゴシック, as the form's dialog resource names it.
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0,
                             0, 0, 0, L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowTextW(edit, ListText().c_str());
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
