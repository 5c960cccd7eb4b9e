#include "shell_link_file.h"

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "base/handles.h"

namespace {

constexpr uint32_t kHasTargetIdList = 0x01;
constexpr uint32_t kHasLinkInfo = 0x02;
constexpr uint32_t kHasWorkingDir = 0x10;
constexpr uint32_t kHasArguments = 0x20;
constexpr uint32_t kIsUnicode = 0x80;
constexpr uint32_t kVolumeAndLocalPath = 0x01;
constexpr uint32_t kFixedDrive = 3;
constexpr uint8_t kComputerItem = 0x1F;
constexpr uint8_t kDriveItem = 0x2F;
constexpr uint8_t kFolderItem = 0x31;
constexpr uint8_t kFileItem = 0x32;
constexpr uint32_t kLongNameSignature = 0xBEEF0004;

class TBytes {
public:
    void U8(uint8_t v) { FData.push_back(static_cast<char>(v)); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void Raw(const std::string& bytes) { FData += bytes; }
    void Ansi(const std::string& text) { FData.append(text.c_str(), text.size() + 1); }
    void Wide(const std::wstring& text) {
        for (wchar_t c : text) U16(static_cast<uint16_t>(c));
        U16(0);
    }
    void PadTo(size_t size) { FData.resize(size, '\0'); }
    void Put16(size_t at, uint16_t v) {
        FData[at] = static_cast<char>(v);
        FData[at + 1] = static_cast<char>(v >> 8);
    }
    void Put32(size_t at, uint32_t v) {
        Put16(at, static_cast<uint16_t>(v));
        Put16(at + 2, static_cast<uint16_t>(v >> 16));
    }
    size_t Size() const { return FData.size(); }
    const std::string& Data() const { return FData; }

private:
    std::string FData;
};

// As a Japanese system writes its ANSI fields: '?' for what it cannot spell.
std::string CodePage932(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), length, nullptr, 0, "?", nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), length, out.data(), n, "?", nullptr);
    return out;
}

// An 8.3 stand-in made of the name's ASCII letters, as a volume's generated
// short names look; only the long name in Unicode says which file it is.
std::string ShortName(const std::wstring& name) {
    const size_t dot = name.rfind(L'.');
    auto letters = [](const std::wstring& part, size_t most) {
        std::string out;
        for (wchar_t c : part)
            if (c > L' ' && c < 0x7F && c != L'.' && out.size() < most) out += static_cast<char>(towupper(c));
        return out;
    };
    std::string base = letters(name.substr(0, dot), 6);
    std::string ext = dot == std::wstring::npos ? std::string() : letters(name.substr(dot + 1), 3);
    return (base.empty() ? "ITEM" : base) + "~1" + (ext.empty() ? "" : "." + ext);
}

void ComputerItem(TBytes& out) {
    static const uint8_t kMyComputer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                            0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
    out.U16(0x14);
    out.U8(kComputerItem);
    out.U8(0x50);  // its sort place among the desktop's items
    for (uint8_t b : kMyComputer) out.U8(b);
}

void DriveItem(TBytes& out, const std::wstring& root) {
    const size_t start = out.Size();
    out.U16(0x19);
    out.U8(kDriveItem);
    out.Ansi(CodePage932(root));
    out.PadTo(start + 0x19);
}

// A file or folder: its short name in the ANSI part, its long name in
// Unicode in the extension block at the end.
void FileItem(TBytes& out, const std::wstring& name, bool folder) {
    const size_t start = out.Size();
    out.U16(0);  // size, filled in below
    out.U8(folder ? kFolderItem : kFileItem);
    out.U8(0);
    out.U32(0);  // file size
    out.U32(0);  // modification date and time
    out.U16(folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE);
    out.Ansi(ShortName(name));
    if ((out.Size() - start) % 2) out.U8(0);
    const size_t block = out.Size();
    out.U16(0);  // block size, filled in below
    out.U16(3);  // the block's version
    out.U32(kLongNameSignature);
    out.U32(0);  // creation date and time
    out.U32(0);  // access date and time
    out.U16(0x14);
    out.U16(0);  // no localised name
    out.Wide(name);
    out.U16(static_cast<uint16_t>(block - start));
    out.Put16(block, static_cast<uint16_t>(out.Size() - block));
    out.Put16(start, static_cast<uint16_t>(out.Size() - start));
}

void TargetIdList(TBytes& out, const std::wstring& target, bool targetIsFolder) {
    const size_t start = out.Size();
    out.U16(0);  // list size, filled in below
    ComputerItem(out);
    DriveItem(out, target.substr(0, 3));
    size_t at = 3;
    while (at < target.size()) {
        size_t end = target.find(L'\\', at);
        const bool last = end == std::wstring::npos;
        if (last) end = target.size();
        FileItem(out, target.substr(at, end - at), !last || targetIsFolder);
        at = end + 1;
    }
    out.U16(0);
    out.Put16(start, static_cast<uint16_t>(out.Size() - start - 2));
}

void LinkInfo(TBytes& out, const std::wstring& target) {
    constexpr uint32_t kHeaderSize = 0x24;  // with the Unicode offsets
    const size_t start = out.Size();
    out.U32(0);  // size, filled in below
    out.U32(kHeaderSize);
    out.U32(kVolumeAndLocalPath);
    for (int field = 0; field < 6; ++field) out.U32(0);  // offsets, filled in below
    auto offsetHere = [&](size_t field) { out.Put32(start + field, static_cast<uint32_t>(out.Size() - start)); };
    offsetHere(0x0C);
    out.U32(0x11);  // the volume's block size
    out.U32(kFixedDrive);
    out.U32(0x1234ABCD);  // serial number
    out.U32(0x10);        // label at the block's end
    out.U8(0);            // no label
    offsetHere(0x10);
    out.Ansi(CodePage932(target));
    offsetHere(0x18);
    out.Ansi("");  // the common path suffix
    offsetHere(0x1C);
    out.Wide(target);
    offsetHere(0x20);
    out.Wide(L"");
    out.Put32(start, static_cast<uint32_t>(out.Size() - start));
}

void CountedString(TBytes& out, const std::wstring& text) {
    out.U16(static_cast<uint16_t>(text.size()));
    for (wchar_t c : text) out.U16(static_cast<uint16_t>(c));
}

}  // namespace

std::string ShellLinkFileBytes(const TShellLinkFile& link) {
    static const uint8_t kShellLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    const std::wstring& target = link.Target;
    TBytes out;
    out.U32(0x4C);
    for (uint8_t b : kShellLinkClass) out.U8(b);
    const uint32_t arguments = link.Arguments.empty() ? 0 : kHasArguments;
    out.U32(kHasTargetIdList | kHasLinkInfo | kHasWorkingDir | arguments | kIsUnicode);
    out.U32(link.TargetIsFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE);
    for (int time = 0; time < 6; ++time) out.U32(0);  // creation, access and write times
    out.U32(0);                                       // file size
    out.U32(0);                                       // icon index
    out.U32(SW_SHOWNORMAL);
    out.U16(0);  // hot key
    out.PadTo(0x4C);
    TargetIdList(out, target, link.TargetIsFolder);
    LinkInfo(out, target);
    const size_t lastSeparator = target.rfind(L'\\');
    CountedString(out, target.substr(0, lastSeparator == 2 ? 3 : lastSeparator));
    if (arguments) CountedString(out, link.Arguments);
    out.U32(0);  // no extra data blocks
    return out.Data();
}

bool WriteShellLinkFile(const std::wstring& lnk, const TShellLinkFile& link) {
    const std::string bytes = ShellLinkFileBytes(link);
    TFileHandle file(
        CreateFileW(lnk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

int WriteShellLinkFileVerb() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return 2;
    int exitCode = 2;
    if (count == 4 || count == 5) {
        TShellLinkFile link;
        link.Target = arguments[3];
        if (count == 5) link.Arguments = arguments[4];
        exitCode = WriteShellLinkFile(arguments[2], link) ? 0 : 1;
    }
    LocalFree(arguments);
    return exitCode;
}
