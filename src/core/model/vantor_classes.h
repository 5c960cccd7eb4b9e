// The launcher's data model: an entry (TVantorButton), a page of entries
// (TVantorPage) and a page set (TVantorManager), with the page-file reader and
// writer. All text is code page 932. The model holds no window; it only
// returns false where a limit is reached and leaves the messages to callers.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/slotted_list.h"
#include "platform.h"
#include "settings/settings.h"

class TMemoryReader;
class TMemoryWriter;

constexpr int32_t MaxButtonsPerPage = 128;
constexpr int32_t MaxPagesPerSet = 32;
constexpr int32_t ViewStyleCount = 8;  // view styles 0..7

// The target that makes an entry a separator (compared case-sensitively), and
// the title every separator carries.
inline constexpr char SeparatorLink[] = "*Separator";
inline constexpr char SeparatorTitle[] = "セパレータ";

// "ボタン%d" / "ページ%d" with slot + 1.
std::string DefaultButtonTitle(int32_t slot);
std::string DefaultPageCaption(int32_t slot);

// The window states an entry may start with.
constexpr int32_t ShowMaximized = 3;
constexpr int32_t ShowNormal = 5;
constexpr int32_t ShowMinimized = 6;

class TVantorButton {
public:
    std::string LinkTo;  // file, folder, web address or SeparatorLink
    std::string Title;
    std::string Keyword;
    std::string Arguments;
    std::string WorkingDir;  // empty: the folder of LinkTo
    int32_t ShowCmd = ShowNormal;
    bool Forbidden = false;
    std::string IconPath;  // empty: the icon of LinkTo
    int32_t IconIndex = 0;
    int32_t SlotIndex = 0;  // 0..127, given by the page

    bool IsSeparator() const { return LinkTo == SeparatorLink; }
    // Copies the nine data fields (everything but SlotIndex).
    void CopyDataFrom(const TVantorButton& other);
};

// Order used by SortButtons: separators last, then titles lower-cased, then
// titles as they are, then targets, all byte-wise. <0, 0 or >0.
int CompareButtons(const TVantorButton& a, const TVantorButton& b);

// Button width and title width of a view style's standard layout; false for a
// style outside 0..7.
bool StyleDefaultSizes(int32_t viewStyle, int32_t& buttonWidth, int32_t& titleWidth);

// The platform's answers to FileExists kept for one page-file load: a set
// names the same programs many times, and each question is a system call.
using TExistenceMemo = std::unordered_map<std::string, bool>;

class TVantorPage {
public:
    explicit TVantorPage(TPlatform& platform);
    TVantorPage(const TVantorPage&) = delete;
    TVantorPage& operator=(const TVantorPage&) = delete;
    ~TVantorPage();

    std::string Caption;
    uint8_t ViewStyle = 0;  // 0..7
    bool DefaultLayout = true;
    int32_t ButtonWidth = 0;
    int32_t Margin = 0;
    int32_t TitleWidth = 0;
    int32_t SlotIndex = 0;  // 0..31, given by the page set

    int32_t Count() const { return FButtons.Count(); }
    // Entry at a list position; null only between FreeAt and Pack.
    TVantorButton* Buttons(int32_t index) const { return FButtons.At(index); }
    // Entry occupying a slot (0..127), or null.
    TVantorButton* Slot(int32_t slot) const { return FButtons.Slot(slot); }
    bool IsFull() const { return FButtons.IsFull(); }

    // Index is 0..Count. False, with nothing changed, on a full page.
    // The texts are taken by value: a caller done with its own (the page-file
    // reader) moves them in, saving a copy of each.
    bool Insert(int32_t index, const std::string& linkTo, std::string title, std::string keyword,
                std::string arguments, std::string workingDir, int32_t showCmd, bool forbidden,
                const std::string& iconPath, int32_t iconIndex);
    bool Add(const std::string& linkTo, std::string title, std::string keyword, std::string arguments,
             std::string workingDir, int32_t showCmd, bool forbidden, const std::string& iconPath, int32_t iconIndex);
    // An entry for a file, folder or shortcut (".lnk"/".pif", read through the
    // platform; an unreadable shortcut is added as itself).
    bool AddFile(const std::string& fileName);
    // Appends an exact copy of another entry's data fields.
    bool AddCopy(const TVantorButton& button);
    // AddCopy of every entry of another page; false at the first one that does
    // not fit (the copies made so far stay).
    bool AppendPage(const TVantorPage& page);
    // Takes the other page's caption and layout and copies of its entries.
    void Assign(const TVantorPage& page);

    void Delete(int32_t index);
    // Frees the entry but leaves an empty element; call Pack once afterwards.
    void FreeAt(int32_t index);
    void Pack();  // removes the elements emptied by FreeAt
    void Clear();
    void Move(int32_t from, int32_t to);

    // First entry with the same target and icon path (ignoring case), the same
    // title (exactly) and the same icon index; -1 when none.
    int32_t IndexOfButton(const TVantorButton& button) const;
    void SortButtons();
    // Margin 2 and the view style's standard button and title widths.
    void ApplyDefaultLayout();

    // A bare file name goes to the Windows folder; a Windows-folder path of a
    // file that is not there goes to the System folder.
    std::string NormalizePath(const std::string& path) const;
    // While set (a page-file load), NormalizePath asks each path once.
    void SetExistenceMemo(TExistenceMemo* memo) { FExistenceMemo = memo; }

    // One page record at the stream position. It loads in two steps, each
    // throwing EVantorError when the record is unreadable and keeping what it
    // read: the page's own header (caption, style, layout), which gives the
    // record's version and entry count, then the entries, false when entries
    // beyond the page's limit were dropped.
    struct TRecordHeader {
        uint16_t Version = 0;
        int32_t Count = 0;
    };
    void SaveToStream(TMemoryWriter& stream) const;
    TRecordHeader LoadHeader(TMemoryReader& stream);
    bool LoadEntries(TMemoryReader& stream, const TRecordHeader& header);

private:
    bool ReadEntry(TMemoryReader& stream, uint16_t pageVersion);
    bool FileExists(const std::string& path) const;

    TPlatform& Platform;
    std::string FWindowsFolder;
    std::string FWindowsFolderLower;
    std::string FSystemFolder;
    TSlottedList<TVantorButton, MaxButtonsPerPage> FButtons;
    TExistenceMemo* FExistenceMemo = nullptr;
};

// A page set. The main set also carries every persistent setting, which it
// inherits from TVantorSettings.
class TVantorManager : public TVantorSettings {
public:
    // Default settings and one page "ページ1" with view style 1.
    explicit TVantorManager(TPlatform& platform);
    TVantorManager(const TVantorManager&) = delete;
    TVantorManager& operator=(const TVantorManager&) = delete;
    ~TVantorManager() override;

    int32_t ReservedValue = 0;  // kept from loading to saving

    int32_t Count() const { return FPages.Count(); }
    // Page at a list position; null only between FreePageAt and PackPages.
    TVantorPage* Pages(int32_t index) const { return FPages.At(index); }
    TVantorPage* Slot(int32_t slot) const { return FPages.Slot(slot); }
    bool IsFull() const { return FPages.IsFull(); }

    int32_t CurrentPage() const { return FCurrentPage; }
    // Clamped to 0..Count-1; a negative request gives 0, any other request on
    // a set without pages gives -1.
    void SetCurrentPage(int32_t value);

    // False on a full set. An empty caption gives the slot's default caption.
    bool AddPage(const std::string& caption, uint8_t viewStyle);
    // A page of the programs (".exe", ".lnk", ".pif") in a folder, breadth-first
    // through its subfolders when recursive, at most 128, sorted.
    bool AddFolderPage(const std::string& folder, bool recursive);
    void DeletePage(int32_t index);
    void FreePageAt(int32_t index);  // leaves an empty element; PackPages afterwards
    void PackPages();
    void Clear();
    void Move(int32_t from, int32_t to);
    // Copies the other set's pages and current page; settings are not copied.
    void Assign(const TVantorManager& other);

    // The page file: magic "MN", version 768. Loading replaces the pages and
    // throws EVantorError with the user's message when the file is missing or
    // not a page file, ENewerVersionError when a newer version wrote it (the
    // pages then stay as they were). A file that loads only in part (a
    // damaged record, pages or entries beyond the limits, fewer pages than
    // the header counts, a text cut to the limit) keeps what was read and
    // returns false, so the caller can keep the file before a save replaces it.
    void SaveToFile(const std::string& fileName) const;
    bool LoadFromFile(const std::string& fileName);
    std::string SaveToBytes() const;
    bool LoadFromBytes(std::string_view data);

protected:
    // The settings file reads and writes the current page through the clamp.
    int32_t GetCurrentPageForSettings() const override { return CurrentPage(); }
    void SetCurrentPageFromSettings(int32_t value) override { SetCurrentPage(value); }

private:
    int32_t ReadFileHeader(TMemoryReader& stream);

    TSlottedList<TVantorPage, MaxPagesPerSet> FPages;
    int32_t FCurrentPage = 0;
};
