// Platform layer, Windows: the window's place through the foreground
// window, the known Pictures folder, the user's language, the fonts folder,
// and a message box for a program that cannot start.
#include "app/platform.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>

namespace {
std::string utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return {};
    std::string out(static_cast<size_t>(n - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n - 1 : 0), L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &out[0], n);
    return out;
}
}  // namespace

WindowPlacement readWindowPlacement() {
    WindowPlacement placement;
    RECT outer;
    if (HWND window = GetForegroundWindow(); window != nullptr && GetWindowRect(window, &outer)) {
        placement.left = outer.left;
        placement.top = outer.top;
        placement.width = outer.right - outer.left;
        placement.height = outer.bottom - outer.top;
        placement.known = true;
    }
    return placement;
}

void restoreWindowPlacement(const WindowPlacement& placement) {
    if (!placement.known)
        return;
    HWND window = GetForegroundWindow();
    if (window == nullptr)
        return;
    // The window goes back where it stood; its outer size is what the new
    // drawing area needs with the window's own frame.
    RECT outer = {0, 0, placement.width, placement.height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    MoveWindow(window, placement.left, placement.top, outer.right - outer.left, outer.bottom - outer.top, TRUE);
}

std::string programFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n == MAX_PATH)
        return ".";
    const std::string p = utf8(path);
    return p.substr(0, p.find_last_of("\\/"));
}

void findPicturesBesideProgram() { SetCurrentDirectoryW(wide(programFolder()).c_str()); }

namespace {
// A known folder's path, empty when there is none; the buffer the shell
// gives is freed whatever it answered.
std::string knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    const std::string folder = SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK ? utf8(path) : std::string();
    CoTaskMemFree(path);
    return folder;
}
}  // namespace

std::string picturesFolder() {
    for (REFKNOWNFOLDERID id : {std::cref(FOLDERID_Pictures), std::cref(FOLDERID_Profile)}) {
        const std::string folder = knownFolder(id);
        if (!folder.empty())
            return folder;
    }
    wchar_t here[MAX_PATH];
    const DWORD n = GetCurrentDirectoryW(MAX_PATH, here);
    return n > 0 && n < MAX_PATH ? utf8(here) : std::string();
}

std::string systemLanguage() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) == 0)
        return {};
    std::string language = utf8(name);   // "es-ES": as gettext writes it, "es_ES"
    for (char& c : language)
        if (c == '-')
            c = '_';
    return language;
}

std::vector<std::string> fontFolders() {
    // Windows' own fonts first (Verdana is there), then the fonts shipped beside the program.
    std::vector<std::string> folders;
    wchar_t windows[MAX_PATH];
    if (GetWindowsDirectoryW(windows, MAX_PATH) > 0)
        folders.push_back(utf8(windows) + "\\Fonts");
    folders.push_back(programFolder());
    return folders;
}

void alertUser(const std::string& message) {
    MessageBoxW(nullptr, wide(message).c_str(), L"Corvane Zone", MB_OK | MB_ICONERROR);
}

// The C runtime's heap and the system's GL driver need nothing here.
void configureHeap() {}
void keepGlDriverLoaded() {}
