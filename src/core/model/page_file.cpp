// The page file: a header, then one record per page, each with its entries.
// The writer always produces version 768; the reader also takes the older
// versions; a newer version is told apart from damage. Loading never reads
// past the end of the data: a record cut short ends the load like an
// unreadable page, keeping what was read.
#include <utility>

#include "errors.h"
#include "model/memory_stream.h"
#include "model/vantor_classes.h"
#include "text/text.h"

static constexpr uint16_t FileMagic = 0x4E4D;  // "MN"
static constexpr uint16_t PageMagic = 0x4750;  // "PG"
static constexpr uint16_t CurrentVersion = 768;
static constexpr uint16_t FirstReservedVersion = 657;  // the header carries ReservedValue
static constexpr uint16_t KeywordVersion = 560;        // entries carry Keyword; header has one block
static constexpr size_t OldHeaderBlock = 64;

[[noreturn]] static void RaiseUnrecognised() { throw EVantorError("データファイルを正しく認識できません。"); }
[[noreturn]] static void RaiseNewer() {
    throw ENewerVersionError("新しいバージョンのVantorで保存されたデータファイルです。");
}

// Older pages had no keyword: a web address is found by its title, anything
// else by its file name.
static std::string DerivedKeyword(const std::string& linkTo, const std::string& title) {
    return IsWebAddress(linkTo) ? title : ChangeFileExt(ExtractFileName(linkTo), "");
}

void TVantorPage::SaveToStream(TMemoryWriter& stream) const {
    stream.WriteWord(PageMagic);
    stream.WriteWord(CurrentVersion);
    stream.WriteStreamString(Caption);
    stream.WriteByte(ViewStyle);
    stream.WriteByte(DefaultLayout ? 1 : 0);
    stream.WriteInt32(ButtonWidth);
    stream.WriteInt32(Margin);
    stream.WriteInt32(TitleWidth);
    int32_t count = 0;
    for (const auto& button : FButtons) count += button ? 1 : 0;
    stream.WriteInt32(count);
    for (const auto& button : FButtons) {
        if (!button) continue;
        stream.WriteStreamString(button->LinkTo);
        stream.WriteStreamString(button->Title);
        stream.WriteStreamString(button->Keyword);
        stream.WriteStreamString(button->Arguments);
        stream.WriteStreamString(button->WorkingDir);
        stream.WriteInt32(button->ShowCmd);
        stream.WriteByte(button->Forbidden ? 1 : 0);
        stream.WriteStreamString(button->IconPath);
        stream.WriteInt32(button->IconIndex);
    }
}

bool TVantorPage::ReadEntry(TMemoryReader& stream, uint16_t pageVersion) {
    std::string linkTo = stream.ReadStreamString();
    std::string title = stream.ReadStreamString();
    if (pageVersion > CurrentVersion) RaiseUnrecognised();
    std::string keyword = pageVersion >= KeywordVersion ? stream.ReadStreamString() : DerivedKeyword(linkTo, title);
    std::string arguments = stream.ReadStreamString();
    std::string workingDir = stream.ReadStreamString();
    int32_t showCmd = stream.ReadInt32();
    bool forbidden = stream.ReadByte() != 0;
    std::string iconPath = stream.ReadStreamString();
    int32_t iconIndex = stream.ReadInt32();
    // Through Add, so a stored entry gets the same rules as one the user adds;
    // entries beyond the page's limit are dropped.
    return Add(linkTo, std::move(title), std::move(keyword), std::move(arguments), std::move(workingDir), showCmd,
               forbidden, iconPath, iconIndex);
}

TVantorPage::TRecordHeader TVantorPage::LoadHeader(TMemoryReader& stream) {
    if (stream.ReadWord() != PageMagic) RaiseUnrecognised();
    TRecordHeader header;
    header.Version = stream.ReadWord();
    Caption = stream.ReadStreamString();
    if (Caption.empty()) Caption = Format("ページ%d", 2);
    uint8_t viewStyle = stream.ReadByte();
    // A style the program does not have would index past its style tables.
    ViewStyle = viewStyle < ViewStyleCount ? viewStyle : 0;
    if (header.Version >= CurrentVersion) {
        DefaultLayout = stream.ReadByte() != 0;
        ButtonWidth = stream.ReadInt32();
        Margin = stream.ReadInt32();
        TitleWidth = stream.ReadInt32();
    } else {
        DefaultLayout = true;
        ApplyDefaultLayout();
    }
    header.Count = stream.ReadInt32();
    Clear();
    return header;
}

bool TVantorPage::LoadEntries(TMemoryReader& stream, const TRecordHeader& header) {
    // No room is reserved for the count: a damaged count only means reading
    // until the data ends.
    bool complete = true;
    for (int32_t i = 0; i < header.Count; ++i) complete = ReadEntry(stream, header.Version) && complete;
    return complete;
}

std::string TVantorManager::SaveToBytes() const {
    TMemoryWriter stream;
    int32_t count = 0;
    for (const auto& page : FPages) count += page ? 1 : 0;
    stream.WriteWord(FileMagic);
    stream.WriteWord(CurrentVersion);
    stream.WriteInt32(count);
    stream.WriteInt32(ReservedValue);
    for (const auto& page : FPages)
        if (page) page->SaveToStream(stream);
    return stream.TakeData();
}

void TVantorManager::SaveToFile(const std::string& fileName) const { Platform.WriteWholeFile(fileName, SaveToBytes()); }

// Reads and checks the header; returns the page count. Throws before anything
// but ReservedValue and, for the oldest versions, ShortCuts has changed.
int32_t TVantorManager::ReadFileHeader(TMemoryReader& stream) {
    try {
        if (stream.ReadWord() != FileMagic) RaiseUnrecognised();
        uint16_t version = stream.ReadWord();
        int32_t pageCount = stream.ReadInt32();
        ReservedValue = 0;
        if (version > CurrentVersion) RaiseNewer();
        if (version >= FirstReservedVersion) {
            int32_t reserved = stream.ReadInt32();
            ReservedValue = version >= CurrentVersion ? reserved : 0;
        } else if (version <= KeywordVersion) {
            stream.Skip(version == KeywordVersion ? OldHeaderBlock : 2 * OldHeaderBlock);
            SetDefaultShortCuts();
        }
        return pageCount;
    } catch (const ENewerVersionError&) {
        throw;
    } catch (const EVantorError&) {
        // A header cut short is as unrecognisable as a wrong one.
        RaiseUnrecognised();
    }
}

bool TVantorManager::LoadFromBytes(std::string_view data) {
    TMemoryReader stream(data);
    int32_t pageCount = ReadFileHeader(stream);
    Clear();
    // A saved set always has a page, and the writer puts nothing behind the
    // last one: a count of none, or bytes left over, mean the header does not
    // describe the file. What was read is used; the caller keeps the file.
    bool complete = pageCount > 0;
    TExistenceMemo memo;
    for (int32_t i = 0; i < pageCount; ++i) {
        // A header may count pages that are not there: none is made up for them.
        if (stream.Remaining() == 0 || !AddPage("", 1)) return false;
        TVantorPage& page = *FPages.back();
        TVantorPage::TRecordHeader header;
        try {
            header = page.LoadHeader(stream);
        } catch (const EVantorError&) {
            DeletePage(Count() - 1);  // not even its caption: nothing of it to show
            return false;
        }
        page.SetExistenceMemo(&memo);
        try {
            complete = page.LoadEntries(stream, header) && complete;
        } catch (const EVantorError&) {
            page.SetExistenceMemo(nullptr);
            return false;  // a damaged page ends the load; what was read stays
        }
        page.SetExistenceMemo(nullptr);
    }
    // A text cut to the limit would be saved shorter than the file holds it.
    return complete && stream.Remaining() == 0 && stream.CutTexts() == 0;
}

bool TVantorManager::LoadFromFile(const std::string& fileName) {
    std::string data;
    if (!Platform.ReadWholeFile(fileName, data)) throw EVantorError("データファイルが存在しません。");
    return LoadFromBytes(data);
}
