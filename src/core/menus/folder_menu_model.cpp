#include "menus/folder_menu_model.h"

#include <algorithm>

#include "text/text.h"

namespace {

// The first `count` characters of the text, a double-byte one whole.
std::string FirstCharacters(const std::string& text, size_t count, size_t& total) {
    std::string head;
    total = 0;
    for (size_t i = 0; i < text.size(); ++total) {
        size_t width = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (total < count) head.append(text, i, width);
        i += width;
    }
    return head;
}

}  // namespace

bool FolderMenuWantsFiles(bool expandApplication, const TSortedTextList& customExts) {
    return expandApplication || customExts.Count() > 0;
}

bool FolderMenuListsFile(const std::string& name, bool expandApplication, const TSortedTextList& customExts) {
    const std::string ext = AnsiLowerCase(ExtractFileExt(name));
    if (ext.empty()) return false;
    if (expandApplication && (ext == ".exe" || ext == ".lnk" || ext == ".pif")) return true;
    return customExts.IndexOf(ext) >= 0;
}

TFolderListing::TFolderListing(TCompare compare) : FCompare(std::move(compare)) {
    if (!FCompare) FCompare = [](const std::string& a, const std::string& b) { return CompareText(a, b); };
}

bool TFolderListing::Add(const std::string& path, bool isFolder, int32_t payload) {
    if (!isFolder && ++FFiles > MaxFolderMenuFiles) {
        FCapped = true;
        return false;
    }
    FItems.push_back({path, isFolder, payload});
    return true;
}

std::vector<TFolderListingItem> TFolderListing::Sorted() const {
    std::vector<TFolderListingItem> items = FItems;
    std::stable_sort(items.begin(), items.end(), [this](const TFolderListingItem& a, const TFolderListingItem& b) {
        if (a.IsFolder != b.IsFolder) return a.IsFolder;
        return FCompare(a.Path, b.Path) < 0;
    });
    return items;
}

std::vector<int32_t> FolderMenuColumnBreaks(int32_t itemCount, int32_t rowsPerColumn, bool breakMenu) {
    std::vector<int32_t> breaks;
    if (!breakMenu || rowsPerColumn <= 0) return breaks;
    for (int32_t position = rowsPerColumn; position < itemCount; position += rowsPerColumn) breaks.push_back(position);
    return breaks;
}

std::string ShortenFolderPath(const std::string& path) {
    size_t length = 0;
    const std::string head = FirstCharacters(path, 3, length);
    if (length <= MaxFolderCaptionLength) return path;
    return head + "...\\" + ExtractFileName(ExcludeTrailingBackslash(path));
}

std::string FolderObjectCaption(const std::string& path, bool fileSystem, bool isFolder,
                                const std::string& displayName) {
    if (!fileSystem) return displayName;
    const std::string name = ExtractFileName(path);
    if (name.empty()) return displayName;  // a drive root
    return isFolder ? name : ChangeFileExt(name, "");
}

std::vector<TRootFolder> VisibleRootFolders(const TVisibleFolders& v) {
    const std::pair<bool, TRootFolder> all[] = {
        {v.RecycleBin, {TRootFolderKind::RecycleBin, "ごみ箱"}},
        {v.ControlPanel, {TRootFolderKind::ControlPanel, "コントロールパネル"}},
        {v.Desktop, {TRootFolderKind::Desktop, "デスクトップ"}},
        {v.Fonts, {TRootFolderKind::Fonts, "フォント"}},
        {v.Network, {TRootFolderKind::Network, "ネットワーク"}},
        {v.Printers, {TRootFolderKind::Printers, "プリンタ"}},
        {v.Recent, {TRootFolderKind::Recent, "最近使ったファイル"}},
        {v.SendTo, {TRootFolderKind::SendTo, "送る"}},
        {v.StartMenu, {TRootFolderKind::StartMenu, "スタートメニュー"}},
        {v.Windows, {TRootFolderKind::WindowsFolder, "Windows フォルダ"}},
        {v.System, {TRootFolderKind::SystemFolder, "System フォルダ"}},
        {v.Temp, {TRootFolderKind::TempFolder, "Temp フォルダ"}},
        {v.ProgramFiles, {TRootFolderKind::ProgramFiles, "Program Files フォルダ"}},
        {v.MyDocuments, {TRootFolderKind::MyDocuments, "My Documents フォルダ"}},
    };
    std::vector<TRootFolder> shown;
    for (const auto& [visible, folder] : all)
        if (visible) shown.push_back(folder);
    return shown;
}

std::string ProgramFilesFolderFor(const std::string& systemFolder) {
    size_t length = 0;
    return FirstCharacters(systemFolder, 3, length) + "Program Files";
}

TAddFolderResult AddCustomFolder(TSortedTextList& folders, const std::string& path) {
    if (folders.Count() >= static_cast<size_t>(MaxCustomFolders)) return TAddFolderResult::Full;
    return folders.Add(path) ? TAddFolderResult::Added : TAddFolderResult::AlreadyThere;
}
