#include "win_test_util.h"

#include <shlobj.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/handles.h"
#include "base/win_text.h"
#include "base/window.h"
#include "model/vantor_classes.h"
#include "shell/shortcut_link.h"
#include "shell/win_platform.h"
#include "shell_link_file.h"
#include "text/text.h"

TTempFolder::TTempFolder(const std::string& name) {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    FPath = IncludeTrailingBackslash(Narrow(temp)) + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount()) + "-" + std::to_string(++counter) + "\\";
    RemoveTree(FPath);
    MakeFolder(FPath);
}

TTempFolder::~TTempFolder() { RemoveTree(FPath); }

void WriteTextFile(const std::string& path, const std::string& data) {
    TWinPlatform platform;
    platform.WriteWholeFile(path, data);
}

std::string ReadTextFile(const std::string& path) {
    TWinPlatform platform;
    std::string data;
    platform.ReadWholeFile(path, data);
    return data;
}

bool PathExists(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFolder(const std::string& path) {
    SHCreateDirectoryExW(nullptr, Widen(ExcludeTrailingBackslash(path)).c_str(), nullptr);
}

bool RemoveTree(const std::string& path) {
    std::string folder = IncludeTrailingBackslash(path);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Widen(folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = Widen(folder) + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(Narrow(full));
            else
                DeleteFileW(full.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(Widen(ExcludeTrailingBackslash(folder)).c_str());
    return !PathExists(folder);
}

std::string TestExecutable() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Narrow(path);
}

std::string SaveLoopVersion(int which) {
    TWinPlatform platform;
    TVantorManager pages(platform);
    pages.Clear();
    // Different sizes, so a torn file can never pass for either version.
    int pageCount = which == 0 ? 32 : 21;
    std::string filler(which == 0 ? 90 : 60, which == 0 ? 'a' : 'b');
    for (int p = 0; p < pageCount; ++p) {
        pages.AddPage(Format("ページ%d-%d", p, which), static_cast<uint8_t>(p % 8));
        TVantorPage& page = *pages.Pages(p);
        for (int e = 0; e < MaxButtonsPerPage; ++e)
            page.Add(Format("C:\\表示\\%s\\prog%d.exe", filler, e), Format("ボタン%d", e), filler, filler, "C:\\work",
                     5, false, "", 0);
    }
    return pages.SaveToBytes();
}

int SaveLoopHelper(const std::string& fileName) {
    TWinPlatform platform;
    std::unique_ptr<TVantorManager> versions[2];
    for (int v = 0; v < 2; ++v) {
        versions[v] = std::make_unique<TVantorManager>(platform);
        versions[v]->LoadFromBytes(SaveLoopVersion(v));
    }
    // Bounded, in case the test that kills it has gone.
    DWORD start = GetTickCount();
    for (int i = 0; GetTickCount() - start < 60000; ++i) versions[i % 2]->SaveToFile(fileName);
    return 0;
}

namespace {

// --make-shortcut <lnk> <target> [arguments] [folder] [show] [icon] [index]
int MakeShortcutHelper(const std::vector<std::string>& a) {
    if (a.size() < 4) return 2;
    TComApartment com;
    TShortCutLink link;
    link.FileName = a[3];
    if (a.size() > 4) link.Arguments = a[4];
    if (a.size() > 5) link.WorkingDirectory = a[5];
    if (a.size() > 6) link.ShowCmd = std::atoi(a[6].c_str());
    if (a.size() > 7) link.IconLocation = a[7];
    if (a.size() > 8) link.IconIndex = std::atoi(a[8].c_str());
    try {
        link.Save(a[2]);
    } catch (const EVantorError&) {
        return 1;
    }
    return 0;
}

}  // namespace

namespace {

// The start-up benchmark's baseline: an empty window of the same kind as the
// program's, shown until WM_CLOSE. Plain, it is an ordinary window of another
// program instead (not always on top), as most full-screen programs are.
class TEmptyWindow : public TWindow {
public:
    ~TEmptyWindow() override { DestroyHandle(); }
    bool Create(bool plain) {
        if (plain)
            return CreateHandle(L"VantorPlain", 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, L"Plain", 100, 100, 380, 560);
        return CreateHandle(L"VantorBaseline", WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP | WS_THICKFRAME | WS_VISIBLE,
                            L"Baseline", 100, 100, 380, 560);
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_DESTROY) PostQuitMessage(0);
        return DefaultHandler(msg, wParam, lParam);
    }
};

int EmptyWindowHelper(bool plain) {
    TEmptyWindow window;
    if (!window.Create(plain)) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

}  // namespace

bool RunHelperVerb(const std::vector<std::string>& arguments, int& exitCode) {
    if (arguments.size() < 2) return false;
    if (arguments[1] == "--empty-window" || arguments[1] == "--plain-window") {
        exitCode = EmptyWindowHelper(arguments[1] == "--plain-window");
        return true;
    }
    if (arguments[1] == "--save-loop" && arguments.size() == 3) {
        exitCode = SaveLoopHelper(arguments[2]);
        return true;
    }
    if (arguments[1] == "--make-shortcut") {
        exitCode = MakeShortcutHelper(arguments);
        return true;
    }
    if (arguments[1] == "--write-shell-link") {
        exitCode = WriteShellLinkFileVerb();
        return true;
    }
    return false;
}

HDROP MakeDrop(const std::vector<std::wstring>& names, POINT at) {
    size_t chars = 1;
    for (const std::wstring& n : names) chars += n.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& n : names) {
        std::memcpy(text, n.c_str(), (n.size() + 1) * sizeof(wchar_t));
        text += n.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}
