#include "app/program_entry.h"

#include <shellapi.h>
#include <shlobj.h>

#include <optional>

#include "base/win_text.h"
#include "errors.h"
#include "session/data_files.h"
#include "text/text.h"

const char AlreadyRunningMessage[] = "Vantorはすでに起動しています。";
const char NotOnFixedDiskMessage[] = "Vantorはハードディスク上でのみ実行できます。";
const char UnnamedFolderMessage[] = "フォルダ\"%s\"の名前には扱えない文字が含まれています。";
const char PerUserDataMessageFormat[] =
    "Vantorのフォルダ\"%s\"には書き込めないため、ページと設定はフォルダ\"%s\"に保存します。";

namespace {

template <typename F>
F KernelFunction(const char* name) {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

[[noreturn]] void ThrowUnnamedFolder(std::wstring_view folder) {
    throw EVantorError(Format(UnnamedFolderMessage, Narrow(folder)));
}

// The current folder joined in may hold characters that the given name did
// not; then only its short name can spell it.
std::string FullPath(const std::string& path) {
    std::wstring wide = Widen(path);
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    std::optional<std::string> named = NarrowPath(full);
    if (!named) ThrowUnnamedFolder(full);
    return *named;
}

std::vector<std::wstring> WideArguments(const wchar_t* commandLine) {
    std::vector<std::wstring> arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine, &count);
    if (!argv) return arguments;
    for (int i = 0; i < count; ++i) arguments.emplace_back(argv[i]);
    LocalFree(argv);
    return arguments;
}

bool IsExistingFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "/d <folder>" with an existing folder, made absolute and ending with a
// backslash; nothing otherwise.
std::optional<std::string> GivenDataFolder(const std::vector<std::string>& arguments, TPlatform& platform) {
    if (arguments.size() < 3 || AnsiLowerCase(arguments[1]) != "/d") return std::nullopt;
    const std::string& folder = arguments[2];
    if (folder.empty() || !platform.DirectoryExists(folder)) return std::nullopt;
    // A drive root ("D:\") is used as given; any other name of three
    // characters ("dat") is a folder like the rest.
    if (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\') return folder;
    return IncludeTrailingBackslash(FullPath(folder));
}

std::optional<std::string> GivenDataFolderOf(const wchar_t* commandLine, TPlatform& platform) {
    const std::vector<std::wstring> wide = WideArguments(commandLine);
    if (wide.size() >= 3 && AnsiLowerCase(Narrow(wide[1])) == "/d" && !NarrowPath(wide[2]) && IsExistingFolder(wide[2]))
        ThrowUnnamedFolder(wide[2]);
    return GivenDataFolder(CommandLineArguments(commandLine), platform);
}

// `appData` + "Vantor\\", made when missing; nothing when there is no
// `appData` or the folder cannot be made.
std::optional<std::string> PerUserFolder(const std::string& appData, TPlatform& platform) {
    if (appData.empty()) return std::nullopt;
    const std::string folder = IncludeTrailingBackslash(appData) + "Vantor\\";
    if (!platform.DirectoryExists(folder) && !CreateDirectoryW(Widen(folder).c_str(), nullptr) &&
        !platform.DirectoryExists(folder))
        return std::nullopt;
    return folder;
}

bool HoldsDataFiles(const std::string& folder, TPlatform& platform) {
    for (TDataFile file : {TDataFile::Settings, TDataFile::Main, TDataFile::Smart, TDataFile::History})
        if (platform.FileExists(folder + DataFileName(file))) return true;
    return false;
}

}  // namespace

bool HardenLibraryLoading() {
    using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    using TSetDllDirectoryW = BOOL(WINAPI*)(LPCWSTR);
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    auto setDefault = KernelFunction<TSetDefaultDllDirectories>("SetDefaultDllDirectories");
    auto setDllDirectory = KernelFunction<TSetDllDirectoryW>("SetDllDirectoryW");
    bool hardened = false;
    if (setDefault) hardened = setDefault(kSearchSystem32) != 0;
    // Takes the current folder out of the search order where the call above
    // is missing.
    if (setDllDirectory) hardened = (setDllDirectory(L"") != 0) || hardened;
    return hardened;
}

void QuietCriticalErrors() {
    // SetErrorMode only replaces, and GetErrorMode is missing on older
    // systems: the first call reads what the second keeps.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(previous | SEM_FAILCRITICALERRORS);
}

std::vector<std::string> CommandLineArguments(const wchar_t* commandLine) {
    std::vector<std::string> arguments;
    for (const std::wstring& argument : WideArguments(commandLine))
        arguments.push_back(NarrowPath(argument).value_or(Narrow(argument)));
    return arguments;
}

std::string ProgramFolderOf(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::string();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::optional<std::string> named = NarrowPath(path);
    if (!named) ThrowUnnamedFolder(path.substr(0, path.find_last_of(L'\\') + 1));
    return ExtractFilePath(*named);
}

std::string ResolveDataFolder(const std::vector<std::string>& arguments, const std::string& programFolder,
                              TPlatform& platform) {
    return GivenDataFolder(arguments, platform).value_or(programFolder);
}

std::string DataFolderOf(const wchar_t* commandLine, const std::string& programFolder, TPlatform& platform) {
    return GivenDataFolderOf(commandLine, platform).value_or(programFolder);
}

TDataPlace ChooseDataPlace(bool givenFolder, bool programFolderWritable, bool userFolderKnown) {
    if (givenFolder) return TDataPlace::Given;
    if (programFolderWritable || !userFolderKnown) return TDataPlace::Program;
    return TDataPlace::PerUser;
}

bool CanWriteFolder(const std::string& folder) {
    const std::wstring base = Widen(folder) + L"Vantor-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    // A name nobody else uses; the file goes as its handle closes, also when
    // the process ends in between.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const std::wstring probe = base + std::to_wstring(attempt) + L".tmp";
        HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

std::string UserAppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::string();
    const std::optional<std::string> named = NarrowPath(path);
    return named && !named->empty() ? IncludeTrailingBackslash(*named) : std::string();
}

TDataFolder ChooseDataFolder(const wchar_t* commandLine, const std::string& programFolder, TPlatform& platform,
                             const std::function<std::string()>& appData,
                             const std::function<bool(const std::string&)>& canWrite) {
    const std::optional<std::string> given = GivenDataFolderOf(commandLine, platform);
    // The program's folder is probed, and the user's folder made, only when
    // the one before does not win.
    const bool writable = !given && canWrite(programFolder);
    const std::optional<std::string> perUser = given || writable ? std::nullopt : PerUserFolder(appData(), platform);
    const TDataPlace place = ChooseDataPlace(given.has_value(), writable, perUser.has_value());
    TDataFolder data;
    data.Place = place;
    switch (place) {
        case TDataPlace::Given:
            data.Path = *given;
            break;
        case TDataPlace::Program:
            data.Path = programFolder;
            break;
        case TDataPlace::PerUser:
            data.Path = *perUser;
            data.FirstPerUserStart = !HoldsDataFiles(data.Path, platform);
            break;
    }
    return data;
}

std::string PerUserDataMessage(const std::string& programFolder, const std::string& dataFolder) {
    return Format(PerUserDataMessageFormat, ExcludeTrailingBackslash(programFolder),
                  ExcludeTrailingBackslash(dataFolder));
}

bool IsOnFixedDrive(const std::string& path) {
    // An empty root would ask about the current folder's drive instead.
    if (path.size() < 3) return false;
    std::string root = path.substr(0, 3);
    return GetDriveTypeW(Widen(root).c_str()) == DRIVE_FIXED;
}

bool TSingleInstance::Acquire() {
    // Creating and testing in one call leaves no gap in which two instances
    // starting together could both miss each other.
    FMutex.Reset(CreateMutexW(nullptr, FALSE, L"Vantor"));
    if (FMutex && GetLastError() != ERROR_ALREADY_EXISTS) return true;
    FMutex.Reset();  // not ours: the running instance keeps it alone
    return false;
}
