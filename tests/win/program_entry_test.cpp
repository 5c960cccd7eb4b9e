// The program entry's rules: the data folder, one instance, safe loading.
#include "app/program_entry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "app/vantor.h"
#include "base/win_text.h"
#include "shell/win_platform.h"
#include "text/text.h"
#include "win_test_util.h"

TEST(ProgramEntry, DataFolderFromTheCommandLine) {
    TTempFolder folder;
    TWinPlatform platform;
    const std::string program = "C:\\Vantor\\";
    std::string data = ExcludeTrailingBackslash(folder.Path());
    EXPECT_EQ(ResolveDataFolder({"Vantor.exe", "/d", data}, program, platform), data + "\\");
    EXPECT_EQ(ResolveDataFolder({"Vantor.exe", "/D", data}, program, platform), data + "\\");
    EXPECT_EQ(ResolveDataFolder({"Vantor.exe", "/d", folder.Path()}, program, platform), folder.Path());
    EXPECT_EQ(ResolveDataFolder({"Vantor.exe", "/d", data + "\\nowhere"}, program, platform), program);
    EXPECT_EQ(ResolveDataFolder({"Vantor.exe", "-d", data}, program, platform), program);
    EXPECT_EQ(ResolveDataFolder({"Vantor.exe", "/d"}, program, platform), program);
    EXPECT_EQ(ResolveDataFolder({"Vantor.exe"}, program, platform), program);
    EXPECT_EQ(ResolveDataFolder({"Vantor.exe", "/d", "C:\\"}, program, platform), "C:\\");

    // A relative folder is fixed to where it is now, so saves cannot wander
    // off when the current folder changes later.
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(Widen(folder.Path()).c_str());
    MakeFolder(folder / "データ");
    std::string resolved = ResolveDataFolder({"Vantor.exe", "/d", "データ"}, program, platform);
    MakeFolder(folder / "dat");
    std::string threeLetters = ResolveDataFolder({"Vantor.exe", "/d", "dat"}, program, platform);
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(SameText(resolved, folder / "データ\\")) << resolved;
    EXPECT_TRUE(SameText(threeLetters, folder / "dat\\")) << threeLetters;
}

TEST(ProgramEntry, OneInstanceAtATime) {
    auto first = std::make_unique<TSingleInstance>();
    ASSERT_TRUE(first->Acquire());
    TSingleInstance second;
    EXPECT_FALSE(second.Acquire());
    first.reset();
    TSingleInstance third;
    EXPECT_TRUE(third.Acquire());
}

TEST(ProgramEntry, LibrariesComeFromTheSystemFolderOnly) {
    // main() has hardened loading already; the calls exist on this system.
    EXPECT_TRUE(HardenLibraryLoading());
    TModule kernel(LoadSystemLibrary("kernel32.dll"));
    EXPECT_TRUE(kernel);
    // A library beside the program or in the current folder is never taken.
    TTempFolder folder;
    WriteTextFile(folder / "RSRC32.DLL", "not a library");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(Widen(folder.Path()).c_str());
    TModule meter(LoadSystemLibrary("RSRC32.DLL"));
    DWORD error = meter ? 0 : GetLastError();
    SetCurrentDirectoryW(previous);
    EXPECT_FALSE(meter);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(ProgramEntry, OnlyFixedDrivesCount) {
    EXPECT_TRUE(IsOnFixedDrive("C:\\Vantor\\Vantor.exe"));
    EXPECT_FALSE(IsOnFixedDrive("\\\\server\\share\\Vantor.exe"));
    EXPECT_FALSE(IsOnFixedDrive(""));
}

// Libraries imported at load time are found before the program can harden its
// search, and all but the system's known libraries are looked for in the
// program's folder first: everything else must be loaded at run time from
// the System folder. The test executable links the same code as the program.
TEST(ProgramEntry, ImportsOnlyTheSystemsKnownLibraries) {
    const auto base = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    const auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(dir.VirtualAddress, 0u);
    const std::vector<std::string> known = {"advapi32.dll", "comdlg32.dll", "gdi32.dll",   "kernel32.dll", "msvcrt.dll",
                                            "ole32.dll",    "oleaut32.dll", "shell32.dll", "user32.dll"};
    for (auto imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        const std::string name = AsciiLowerCase(reinterpret_cast<const char*>(base + imp->Name));
        EXPECT_NE(std::find(known.begin(), known.end(), name), known.end()) << name << " is imported";
    }
}

TEST(ProgramEntry, CriticalErrorsFailQuietlyKeepingTheSystemsModes) {
    const UINT saved = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    QuietCriticalErrors();
    const UINT mode = SetErrorMode(saved);
    EXPECT_TRUE(mode & SEM_FAILCRITICALERRORS);
    EXPECT_TRUE(mode & SEM_NOOPENFILEERRORBOX);
}

namespace {

// The long name of an existing file or folder, to compare two names of it.
std::wstring LongName(const std::string& path) {
    std::wstring name(32768, L'\0');
    const DWORD n = GetLongPathNameW(Widen(path).c_str(), name.data(), static_cast<DWORD>(name.size()));
    name.resize(n < name.size() ? n : 0);
    if (!name.empty() && name.back() == L'\\') name.pop_back();
    return name;
}

bool SameFolder(const std::string& path, const std::wstring& folder) {
    std::wstring expected = folder;
    if (!expected.empty() && expected.back() == L'\\') expected.pop_back();
    return CompareStringOrdinal(LongName(path).c_str(), -1, expected.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

TEST(ProgramEntry, ADataFolderCodePage932CannotSpellIsNamedExactlyOrNotAtAll) {
    TTempFolder folder;
    TWinPlatform platform;
    const std::string program = "C:\\Vantor\\";
    const std::wstring base = Widen(folder.Path());
    // Best fit would turn "d¥..¥x" into "d\..\x", the sibling folder "x".
    const std::wstring odd = base + L"d\u00A5..\u00A5x";
    ASSERT_TRUE(CreateDirectoryW(odd.c_str(), nullptr));
    MakeFolder(folder / "x");

    const std::wstring line = L"Vantor.exe /d \"" + odd + L"\"";
    const std::vector<std::string> arguments = CommandLineArguments(line.c_str());
    ASSERT_EQ(arguments.size(), 3u);
    EXPECT_TRUE(SameFolder(arguments[2], odd)) << arguments[2];
    const std::string data = DataFolderOf(line.c_str(), program, platform);
    EXPECT_EQ(data.back(), '\\');
    EXPECT_TRUE(SameFolder(data, odd)) << data;

    // A relative folder below a current folder that only a short name spells.
    const std::wstring inner = odd + L"\\data";
    ASSERT_TRUE(CreateDirectoryW(inner.c_str(), nullptr));
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(odd.c_str());
    const std::string relative = DataFolderOf(L"Vantor.exe /d data", program, platform);
    SetCurrentDirectoryW(previous);
    EXPECT_TRUE(SameFolder(relative, inner)) << relative;

    // A missing folder of such a name is not a look-alike of another one: the
    // program's folder, as for any missing folder.
    const std::wstring missing = L"Vantor.exe /d \"" + base + L"m\u00A5..\u00A5x\"";
    EXPECT_EQ(DataFolderOf(missing.c_str(), program, platform), program);
    const std::vector<std::string> missingArguments = CommandLineArguments(missing.c_str());
    ASSERT_EQ(missingArguments.size(), 3u);
    EXPECT_EQ(missingArguments[2], folder / "m?..?x");
}

// A program folder that can be written keeps the data beside the program, as
// it always has; one that cannot (installed for every user) keeps it in the
// user's own folder, made on the first such start, which alone tells the
// user where the data now lives; "/d" wins over both.
TEST(ProgramEntry, AProgramFolderThatCannotBeWrittenKeepsTheDataInTheUsersOwnFolder) {
    TTempFolder folder;
    TWinPlatform platform;
    const std::string program = folder / "Program\\";
    const std::string appData = folder / "AppData\\";
    const std::string given = folder / "Given\\";
    for (const std::string& f : {program, appData, given}) MakeFolder(f);
    const auto appDataOf = [&] { return appData; };
    const auto readOnly = [](const std::string&) { return false; };
    const std::string perUser = appData + "Vantor\\";

    // The probe leaves nothing behind; a folder that is not there cannot be written.
    EXPECT_TRUE(CanWriteFolder(program));
    EXPECT_FALSE(CanWriteFolder(folder / "missing\\"));
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Widen(program + "*.tmp").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);

    const TDataFolder portable = ChooseDataFolder(L"Vantor.exe", program, platform, appDataOf);
    EXPECT_EQ(portable.Path, program);
    EXPECT_EQ(portable.Place, TDataPlace::Program);
    EXPECT_FALSE(platform.DirectoryExists(perUser)) << "made although the program's folder could be written";

    const TDataFolder first = ChooseDataFolder(L"Vantor.exe", program, platform, appDataOf, readOnly);
    EXPECT_EQ(first.Path, perUser);
    EXPECT_EQ(first.Place, TDataPlace::PerUser);
    EXPECT_TRUE(first.FirstPerUserStart);
    EXPECT_TRUE(platform.DirectoryExists(perUser));
    EXPECT_EQ(PerUserDataMessage(program, first.Path), "Vantorのフォルダ\"" + folder / "Program" +
                                                           "\"には書き込めないため、ページと設定はフォルダ\"" +
                                                           appData + "Vantor\"に保存します。");
    // Once the first run saved there, later starts say nothing.
    WriteTextFile(perUser + "Main.pag", "MN");
    EXPECT_FALSE(ChooseDataFolder(L"Vantor.exe", program, platform, appDataOf, readOnly).FirstPerUserStart);

    const std::wstring withD = L"Vantor.exe /d \"" + Widen(ExcludeTrailingBackslash(given)) + L"\"";
    const TDataFolder chosen = ChooseDataFolder(withD.c_str(), program, platform, appDataOf, readOnly);
    EXPECT_EQ(chosen.Place, TDataPlace::Given);
    EXPECT_TRUE(SameText(chosen.Path, given)) << chosen.Path;
    // Without a folder of the user's the saves go on trying the program's, and say so when they fail.
    EXPECT_EQ(ChooseDataFolder(
                  L"Vantor.exe", program, platform, [] { return std::string(); }, readOnly)
                  .Path,
              program);
}
