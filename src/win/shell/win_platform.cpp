#include "shell/win_platform.h"

#include <windows.h>

#include <algorithm>

#include "base/handles.h"
#include "base/log.h"
#include "base/win_text.h"
#include "errors.h"
#include "session/data_files.h"
#include "shell/shortcut_link.h"
#include "text/text.h"

namespace {

// No data file comes near this; a bigger one is not ours and is not read.
constexpr LONGLONG kMaxReadSize = 256LL * 1024 * 1024;
constexpr DWORD kWriteChunk = 1024 * 1024;

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

std::string FolderOf(UINT(WINAPI* get)(LPWSTR, UINT)) {
    wchar_t buffer[MAX_PATH] = {};
    UINT n = get(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::string();
    return ExcludeTrailingBackslash(NarrowPath(buffer).value_or(std::string()));
}

// A name that code page 932 cannot spell (a character outside it) would not
// open again; the short name always can.
std::string FoundName(const WIN32_FIND_DATAW& data) {
    std::string name;
    if (NarrowExact(data.cFileName, name) || !data.cAlternateFileName[0]) return name;
    return Narrow(data.cAlternateFileName);
}

bool WriteAll(HANDLE file, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, kWriteChunk));
        DWORD written = 0;
        if (!WriteFile(file, data.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

bool WriteTemporary(const std::wstring& temp, const std::string& data) {
    TFileHandle file(
        CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    return WriteAll(file.Get(), data) && FlushFileBuffers(file.Get());
}

struct TFontSearch {
    std::wstring Name;
    bool Found = false;
};

int CALLBACK FontFound(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
    auto* search = reinterpret_cast<TFontSearch*>(param);
    if (lstrcmpiW(font->lfFaceName, search->Name.c_str()) == 0) search->Found = true;
    return search->Found ? 0 : 1;  // 0 ends the enumeration
}

}  // namespace

std::string TWinPlatform::WindowsFolder() { return FolderOf(GetWindowsDirectoryW); }

std::string TWinPlatform::SystemFolder() { return FolderOf(GetSystemDirectoryW); }

bool TWinPlatform::FileExists(const std::string& path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWinPlatform::DirectoryExists(const std::string& path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWinPlatform::ReadShortcut(const std::string& path, TShortcutInfo& info) {
    TShortCutLink link;
    try {
        link.Load(path);
    } catch (const EVantorError& error) {
        LogSwallowed("ReadShortcut", error);
        return false;
    }
    info.Path = link.FileName;
    info.Arguments = link.Arguments;
    info.WorkingDir = link.WorkingDirectory;
    info.IconLocation = link.IconLocation;
    info.IconIndex = link.IconIndex;
    info.ShowCmd = link.ShowCmd;
    return true;
}

std::vector<TFindItem> TWinPlatform::FindFiles(const std::string& pattern) {
    std::vector<TFindItem> items;
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileW(Widen(pattern).c_str(), &data));
    if (!find) return items;
    do {
        items.push_back({FoundName(data), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find.Get(), &data));
    return items;
}

bool TWinPlatform::ReadWholeFile(const std::string& path, std::string& data) {
    TFileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxReadSize) return false;
    std::string content(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < content.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, kWriteChunk));
        DWORD read = 0;
        if (!ReadFile(file.Get(), content.data() + done, chunk, &read, nullptr)) return false;
        if (read == 0) break;  // the file shrank while we read it
        done += read;
    }
    content.resize(done);
    data = std::move(content);
    return true;
}

std::string TemporarySaveName(const std::string& path) { return path + SaveTemporarySuffix; }

// The previous file stays whole until the new one is complete on disk: the
// data goes to a temporary file in the same folder, is flushed, and then
// takes the target's place in one rename.
void TWinPlatform::WriteWholeFile(const std::string& path, const std::string& data) {
    std::wstring target = Widen(path);
    // The rename would replace a file the user marked read-only (Wine's does).
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw EVantorError(Format("\"%s\"は読み取り専用のため保存できません。", path));
    std::wstring temp = Widen(TemporarySaveName(path));
    if (!WriteTemporary(temp, data) ||
        !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        ::DeleteFileW(temp.c_str());
        throw EVantorError(Format("\"%s\"を保存できません。(%d)", path, static_cast<long long>(error)));
    }
}

bool TWinPlatform::RemoveFile(const std::string& path) { return ::DeleteFileW(Widen(path).c_str()) != 0; }

uint32_t TWinPlatform::TickCount() { return GetTickCount(); }

bool TWinPlatform::IsFontInstalled(const std::string& name) {
    TFontSearch search{Widen(name)};
    if (search.Name.empty() || search.Name.size() >= LF_FACESIZE) return false;
    LOGFONTW font{};
    font.lfCharSet = DEFAULT_CHARSET;
    search.Name.copy(font.lfFaceName, search.Name.size());
    TWindowDC screen(nullptr);
    EnumFontFamiliesExW(screen.DC(), &font, FontFound, reinterpret_cast<LPARAM>(&search), 0);
    return search.Found;
}
