// What the folder menu shows, apart from the shell: which objects a folder's
// listing keeps and in what order, where the listing breaks into columns, the
// captions of the root's folders, and the limits of the commands that add to
// the page or to the user's folder list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/settings.h"

constexpr int32_t MaxFolderMenuFiles = 63;
// Paths longer than this are shortened in the root's list of user folders.
constexpr size_t MaxFolderCaptionLength = 32;

// The three command items of every object item.
inline constexpr char FolderMenuOpen[] = "開く(&O)";
inline constexpr char FolderMenuExecute[] = "実行(&E)";
inline constexpr char FolderMenuAddButton[] = "ボタンを追加(&B)";
inline constexpr char FolderMenuAddToMenu[] = "メニューに追加(&M)";
inline constexpr char FolderMenuRecent[] = "最近開いたフォルダ(&R)";
constexpr int32_t FolderMenuCommandCount = 3;

// Which files a listing keeps: programs (".exe", ".lnk", ".pif") when
// ExpandApplication is on, and the extensions of CustomExts. The extension is
// taken after the last dot that follows the last backslash or colon.
bool FolderMenuListsFile(const std::string& name, bool expandApplication, const TSortedTextList& customExts);
// Whether a listing asks for files at all.
bool FolderMenuWantsFiles(bool expandApplication, const TSortedTextList& customExts);

// One object a listing kept; Payload is the caller's (an index).
struct TFolderListingItem {
    std::string Path;
    bool IsFolder = false;
    int32_t Payload = 0;
};

// Collects a folder's objects in enumeration order and gives them back with
// the folders first, each group in path order; files past the 63rd are
// dropped.
class TFolderListing {
public:
    // Compares two paths ignoring case (<0, 0, >0); the system's comparison
    // on the Win32 side, CompareText by default.
    using TCompare = std::function<int(const std::string&, const std::string&)>;
    explicit TFolderListing(TCompare compare = nullptr);

    // False when the object was dropped (a file beyond the cap).
    bool Add(const std::string& path, bool isFolder, int32_t payload);
    // True once a file was dropped for the cap.
    bool Capped() const { return FCapped; }
    std::vector<TFolderListingItem> Sorted() const;

private:
    TCompare FCompare;
    std::vector<TFolderListingItem> FItems;
    int32_t FFiles = 0;
    bool FCapped = false;
};

// Positions (counted from the submenu's first item, command items and
// separator included) that start a new column when `itemCount` items are
// shown `rowsPerColumn` to a column: every multiple of rowsPerColumn below
// itemCount. None when the menu is not broken or the rows are unknown.
std::vector<int32_t> FolderMenuColumnBreaks(int32_t itemCount, int32_t rowsPerColumn, bool breakMenu);

// A user folder's caption: the path itself up to 32 characters, else its
// first three characters, "...\" and its last component.
std::string ShortenFolderPath(const std::string& path);

// The caption of an object item when none is given: for a file-system object
// its last path component (a file without its extension), or the shell's
// display name for a drive root or any other object.
std::string FolderObjectCaption(const std::string& path, bool fileSystem, bool isFolder,
                                const std::string& displayName);

// The folders the root lists after the drives, each with its flag.
enum class TRootFolderKind {
    RecycleBin,
    ControlPanel,
    Desktop,
    Fonts,
    Network,
    Printers,
    Recent,
    SendTo,
    StartMenu,
    WindowsFolder,
    SystemFolder,
    TempFolder,
    ProgramFiles,
    MyDocuments
};
struct TRootFolder {
    TRootFolderKind Kind;
    const char* Caption;
};
// The enabled ones, in the root's fixed order.
std::vector<TRootFolder> VisibleRootFolders(const TVisibleFolders& visible);
// "X:\Program Files" on the drive of the System folder.
std::string ProgramFilesFolderFor(const std::string& systemFolder);

// Adding to the user's folder list: Full leaves the list as it is.
enum class TAddFolderResult { Added, AlreadyThere, Full };
TAddFolderResult AddCustomFolder(TSortedTextList& folders, const std::string& path);
