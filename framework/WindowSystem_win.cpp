#include "framework/WindowSystem_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <utility>

#include "base/Cp932_win.h"

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

CWin32WindowSystem::CWin32WindowSystem(std::wstring appTitle)
    : m_strAppTitle(std::move(appTitle)) {}

void CWin32WindowSystem::Attach(HWND mainWindow, HWND form, HWND statusBar) {
    m_hMainWindow = mainWindow;
    m_hForm = form;
    m_hStatusBar = statusBar;
}

void CWin32WindowSystem::SetCaptionTitle(std::wstring_view title) {
    std::wstring caption(title);
    caption += L" - ";
    caption += m_strAppTitle;
    SetWindowTextW(m_hMainWindow, caption.c_str());
}

std::optional<std::string> CWin32WindowSystem::GetControlText(int id) {
    return Cp932FromWide(WindowTextOf(GetDlgItem(m_hForm, id)));
}

void CWin32WindowSystem::SetControlText(int id, const std::string& text) {
    // A shown list of many texts is painted once, when whole, not as it fills.
    HWND control = GetDlgItem(m_hForm, id);
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(control, WideFromCp932(text).c_str());
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

// As the dialog manager moves the focus, so that an edit control selects its text.
void CWin32WindowSystem::FocusControl(int id) {
    SendMessageW(m_hForm, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hForm, id)), TRUE);
}

void CWin32WindowSystem::SetStatusText(const std::string& text) {
    SendMessageW(m_hStatusBar, SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>(WideFromCp932(text).c_str()));
}

int CWin32WindowSystem::ShowMessageBox(const std::string& text, unsigned type) {
    return MessageBoxW(m_hMainWindow, WideFromCp932(text).c_str(), m_strAppTitle.c_str(), type);
}

FileChoice CWin32WindowSystem::ShowOpenDialog(const FileDialogOptions& options) {
    return ShowFileDialog(options, false);
}

FileChoice CWin32WindowSystem::ShowSaveDialog(const FileDialogOptions& options) {
    return ShowFileDialog(options, true);
}

FileChoice CWin32WindowSystem::ShowFileDialog(const FileDialogOptions& options, bool save) {
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
        return {};
    }
    file.resize(file.find(L'\0'));
    std::optional<std::string> path = Cp932FromWide(file);
    if (!path) {
        return {FileChoice::Outcome::unrepresentable, {}};
    }
    return {FileChoice::Outcome::chosen, std::move(*path)};
}

void CWin32WindowSystem::SetMenuCheck(int id, bool checked) {
    CheckMenuItem(GetMenu(m_hMainWindow), static_cast<UINT>(id),
                  static_cast<UINT>(MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED)));
}

void CWin32WindowSystem::SetMenuRadio(int first, int last, int chosen) {
    CheckMenuRadioItem(GetMenu(m_hMainWindow), static_cast<UINT>(first), static_cast<UINT>(last),
                       static_cast<UINT>(chosen), MF_BYCOMMAND);
}

void CWin32WindowSystem::SetTitle(const std::string& title) {
    SetCaptionTitle(WideFromCp932(title));
}

void CWin32WindowSystem::PostCloseRequest() {
    PostMessageW(m_hMainWindow, WM_CLOSE, 0, 0);
}
