// The settings file is read and written by our own profile code; these tests
// hold it against the system's profile functions on the same files, so a
// Vantor.ini edited by hand or written by an older version reads the same.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/profile.h"

namespace {

// A file of its own per use: the system caches profile files by name.
class TProfileFile {
public:
    explicit TProfileFile(const std::string& bytes) {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        static int counter = 0;
        FPath = std::string(folder) + "vantor_profile_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter) + ".ini";
        Write(bytes);
    }
    ~TProfileFile() { DeleteFileA(FPath.c_str()); }
    TProfileFile(const TProfileFile&) = delete;
    TProfileFile& operator=(const TProfileFile&) = delete;

    const std::string& Path() const { return FPath; }
    void Write(const std::string& bytes) const {
        HANDLE h = CreateFileA(FPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    }
    std::string Read() const {
        std::string data;
        HANDLE h = CreateFileA(FPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return data;
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) data.append(buf, got);
        CloseHandle(h);
        return data;
    }
    std::string SystemRead(const std::string& section, const std::string& key, const std::string& def) const {
        char buf[2048];
        DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf, sizeof buf, FPath.c_str());
        return std::string(buf, n);
    }

private:
    std::string FPath;
};

struct TQuery {
    std::string Section, Key;
};

// Every query answered by both readers on the same bytes.
void ExpectSameReads(const std::string& bytes, const std::vector<TQuery>& queries) {
    TProfileFile file(bytes);
    TProfile ours;
    ours.LoadFromBytes(bytes);
    for (const auto& q : queries) {
        EXPECT_EQ(ours.ReadString(q.Section, q.Key, "<default>"), file.SystemRead(q.Section, q.Key, "<default>"))
            << "[" << q.Section << "] " << q.Key << " in:\n"
            << bytes;
    }
}

}  // namespace

TEST(ProfileAgainstSystem, OddFilesReadTheSame) {
    const std::vector<std::pair<std::string, std::vector<TQuery>>> cases = {
        // Duplicate sections: the first one answers, keys of the second are not seen.
        {"[A]\r\nk=1\r\n[B]\r\nx=9\r\n[a]\r\nk=2\r\nj=3\r\n", {{"A", "k"}, {"A", "j"}, {"B", "x"}}},
        // Keys before any section belong to none.
        {"k=0\r\nz=5\r\n[A]\r\nk=1\r\n", {{"A", "k"}, {"A", "z"}}},
        // Blank and comment lines, spaces and tabs around names and values.
        {"\r\n; note\r\n[A]\r\n\r\n; k=comment\r\n  k =  v w  \r\n\tt\t=\tx\t\r\n", {{"A", "k"}, {"A", "t"}}},
        // LF endings and no final newline.
        {"[A]\nk=1\nm=2", {{"A", "k"}, {"A", "m"}}},
        // Mixed endings.
        {"[A]\r\nk=1\nm=2\r\n[B]\ny=3", {{"A", "m"}, {"B", "y"}}},
        // '=' inside values; empty values; a key without '='.
        {"[A]\r\nk=a=b=c\r\ne=\r\nbare\r\n", {{"A", "k"}, {"A", "e"}, {"A", "bare"}}},
        // Sections and keys match ignoring case.
        {"[SeTTings]\r\nAutoHide=0\r\n", {{"settings", "autohide"}, {"SETTINGS", "AUTOHIDE"}}},
        // Quotes around values.
        {"[A]\r\nq=\"x y\"\r\nh=\"half\r\ns='one'\r\nm=\"a\"b\"\r\n", {{"A", "q"}, {"A", "h"}, {"A", "s"}, {"A", "m"}}},
        // Spaces inside the brackets and a missing closing bracket.
        {"[ A ]\r\nk=1\r\n[B\r\nk=2\r\n[C]\r\nk=3\r\n", {{"A", "k"}, {" A ", "k"}, {"B", "k"}, {"C", "k"}}},
        // Missing section and key give the default.
        {"[A]\r\nk=1\r\n", {{"Z", "k"}, {"A", "zz"}}},
    };
    for (const auto& c : cases) ExpectSameReads(c.first, c.second);
}

TEST(ProfileAgainstSystem, JapaneseValuesReadTheSameUnderCodePage932) {
    // The A functions convert through the system code page, so only a
    // Japanese system reads Shift-JIS as such.
    if (GetACP() != 932) GTEST_SKIP() << "system code page is " << GetACP();
    ExpectSameReads("[History]\r\nFolderHistory0=C:\\表示\\ソフト\r\nFontName=ＭＳ Ｐゴシック\r\n",
                    {{"History", "FolderHistory0"}, {"History", "FontName"}});
}

TEST(ProfileAgainstSystem, IntegersReadTheSame) {
    const std::string bytes = "[A]\r\nd=42\r\nn=-7\r\nx=0x1F\r\ns= 12 \r\nbad=12a\r\nempty=\r\n";
    TProfileFile file(bytes);
    TProfile ours;
    ours.LoadFromBytes(bytes);
    for (const char* key : {"d", "n", "x", "s", "missing"}) {
        EXPECT_EQ(ours.ReadInteger("A", key, 5),
                  static_cast<int32_t>(GetPrivateProfileIntA("A", key, 5, file.Path().c_str())))
            << key;
    }
    // Where the system reads a number's leading digits, the settings take the
    // whole text or the default ("12a" is not a number); "$" is hexadecimal.
    EXPECT_EQ(ours.ReadInteger("A", "bad", 5), 5);
    ours.LoadFromBytes("[A]\r\nc=$8000000F\r\n");
    EXPECT_EQ(static_cast<uint32_t>(ours.ReadInteger("A", "c", 0)), 0x8000000Fu);
}

namespace {

// One change applied to both a system-written and our file.
struct TWrite {
    std::string Section, Key, Value;
    bool EraseSection = false;
    bool DeleteKey = false;
};

void Apply(TProfile& ours, const TProfileFile& file, const TWrite& w) {
    if (w.EraseSection) {
        ours.EraseSection(w.Section);
        WritePrivateProfileStringA(w.Section.c_str(), nullptr, nullptr, file.Path().c_str());
    } else if (w.DeleteKey) {
        ours.DeleteKey(w.Section, w.Key);
        WritePrivateProfileStringA(w.Section.c_str(), w.Key.c_str(), nullptr, file.Path().c_str());
    } else {
        ours.WriteString(w.Section, w.Key, w.Value);
        WritePrivateProfileStringA(w.Section.c_str(), w.Key.c_str(), w.Value.c_str(), file.Path().c_str());
    }
}

}  // namespace

TEST(ProfileAgainstSystem, WritesAgreeWithTheSystem) {
    const std::string start =
        "; kept\r\n[Settings]\r\nVersion=700\r\nAutoHide=1\r\n\r\n[Exts]\r\nCustomExt0=.txt\r\nCustomExt1=.doc\r\n"
        "[Other]\r\nx=1\r\n";
    const std::vector<TWrite> writes = {
        {"Settings", "autohide", "0"},     // change in place, other spelling
        {"Settings", "HidePause", "750"},  // new key in an existing section
        {"Exts", "", "", true},            // erase a section
        {"Exts", "CustomExt0", ".zip"},    // the section comes back at the end
        {"NewSection", "Key", "a=b"},      // a new section with '=' in the value
        {"Other", "x", "", false, true},   // delete a key
        {"Settings", "Empty", ""},         // an empty value
    };
    TProfileFile system(start);
    TProfile ours;
    ours.LoadFromBytes(start);
    for (const auto& w : writes) Apply(ours, system, w);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, system.Path().c_str());  // flush the cache

    // Both results read the same through the system's reader.
    TProfileFile mine(ours.SaveToBytes());
    const std::vector<TQuery> queries = {
        {"Settings", "Version"}, {"Settings", "AutoHide"}, {"Settings", "HidePause"}, {"Settings", "Empty"},
        {"Exts", "CustomExt0"},  {"Exts", "CustomExt1"},   {"NewSection", "Key"},     {"Other", "x"}};
    for (const auto& q : queries)
        EXPECT_EQ(mine.SystemRead(q.Section, q.Key, "<default>"), system.SystemRead(q.Section, q.Key, "<default>"))
            << "[" << q.Section << "] " << q.Key << "\nsystem wrote:\n"
            << system.Read() << "\nwe wrote:\n"
            << ours.SaveToBytes();
    // And our reader reads the system's file as the system does.
    TProfile reread;
    reread.LoadFromBytes(system.Read());
    for (const auto& q : queries)
        EXPECT_EQ(reread.ReadString(q.Section, q.Key, "<default>"), system.SystemRead(q.Section, q.Key, "<default>"));
    // Unrelated lines survive our writes byte for byte.
    EXPECT_EQ(ours.SaveToBytes().rfind("; kept\r\n", 0), 0u);
}
