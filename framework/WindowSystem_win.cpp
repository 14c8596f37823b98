#include "framework/WindowSystem_win.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>

#include "framework/Cp932_win.h"
#include "framework/FileSystem.h"

namespace {

// The longest path the file system accepts; the dialogs need a caller-sized buffer.
constexpr size_t kMaxPathChars = 32768;

std::wstring WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

}  // namespace

std::wstring DialogFilterFromBars(std::string_view filter) {
    std::wstring wide = WideFromCp932(filter);
    std::replace(wide.begin(), wide.end(), L'|', L'\0');
    return wide;
}

Win32WindowSystem::Win32WindowSystem(std::wstring appTitle, std::wstring badFileNameMessage)
    : m_strAppTitle(std::move(appTitle)), m_strBadFileName(std::move(badFileNameMessage)) {}

void Win32WindowSystem::Attach(HWND mainWindow, HWND form) {
    m_hMainWindow = mainWindow;
    m_hForm = form;
}

void Win32WindowSystem::SetCaptionTitle(std::wstring_view title) {
    std::wstring caption(title);
    caption += L" - ";
    caption += m_strAppTitle;
    SetWindowTextW(m_hMainWindow, caption.c_str());
}

std::optional<std::string> Win32WindowSystem::GetControlText(int id) {
    return Cp932FromWide(WindowTextOf(GetDlgItem(m_hForm, id)));
}

void Win32WindowSystem::SetControlText(int id, const std::string& text) {
    SetWindowTextW(GetDlgItem(m_hForm, id), WideFromCp932(text).c_str());
}

int Win32WindowSystem::ShowMessageBox(const std::string& text, unsigned type) {
    return MessageBoxW(m_hMainWindow, WideFromCp932(text).c_str(), m_strAppTitle.c_str(), type);
}

std::optional<std::string> Win32WindowSystem::ShowOpenDialog(const FileDialogOptions& options) {
    return ShowFileDialog(options, false);
}

std::optional<std::string> Win32WindowSystem::ShowSaveDialog(const FileDialogOptions& options) {
    return ShowFileDialog(options, true);
}

std::optional<std::string> Win32WindowSystem::ShowFileDialog(const FileDialogOptions& options,
                                                             bool save) {
    std::wstring file = WideFromCp932(options.initialName);
    file.resize(std::max(file.size() + 1, kMaxPathChars), L'\0');
    const std::wstring filter = DialogFilterFromBars(options.filter);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hMainWindow;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    // The program sets the current directory itself once a file is chosen; a cancelled dialog
    // must not have moved it.
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (options.overwritePrompt) {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
    }
    const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!chosen) {
        return std::nullopt;
    }
    file.resize(file.find(L'\0'));
    std::optional<std::string> path = Cp932FromWide(file);
    if (!path) {
        const std::wstring text = file + L"\n " + m_strBadFileName;
        MessageBoxW(m_hMainWindow, text.c_str(), m_strAppTitle.c_str(), MB_OK | MB_ICONSTOP);
    }
    return path;
}

void Win32WindowSystem::SetTitle(const std::string& title) {
    SetCaptionTitle(WideFromCp932(title));
}

void Win32WindowSystem::PostCloseRequest() {
    PostMessageW(m_hMainWindow, WM_CLOSE, 0, 0);
}

void Win32WindowSystem::SetCurrentDirectory(const std::string& dir) {
    SetCurrentDir(dir);
}

std::string Win32WindowSystem::GetProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    if (std::optional<std::string> cp932 = Cp932FromWide(path)) {
        return *cp932;
    }
    // A folder name outside Shift-JIS (an accented user name, say) usually has an ASCII short
    // name; without one the program directory stays unknown rather than wrong.
    const DWORD shortLength = GetShortPathNameW(path.c_str(), nullptr, 0);
    std::wstring shortPath(shortLength, L'\0');
    shortPath.resize(GetShortPathNameW(path.c_str(), shortPath.data(), shortLength));
    return shortLength == 0 ? std::string() : Cp932FromWide(shortPath).value_or(std::string());
}
