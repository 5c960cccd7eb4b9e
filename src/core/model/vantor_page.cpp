#include <algorithm>
#include <cassert>
#include <utility>

#include "model/vantor_classes.h"
#include "text/text.h"

std::string DefaultButtonTitle(int32_t slot) { return Format("ボタン%d", slot + 1); }

std::string DefaultPageCaption(int32_t slot) { return Format("ページ%d", slot + 1); }

void TVantorButton::CopyDataFrom(const TVantorButton& other) {
    LinkTo = other.LinkTo;
    Title = other.Title;
    Keyword = other.Keyword;
    Arguments = other.Arguments;
    WorkingDir = other.WorkingDir;
    ShowCmd = other.ShowCmd;
    Forbidden = other.Forbidden;
    IconPath = other.IconPath;
    IconIndex = other.IconIndex;
}

int CompareButtons(const TVantorButton& a, const TVantorButton& b) {
    if (a.IsSeparator()) return b.IsSeparator() ? 0 : 1;
    if (b.IsSeparator()) return -1;
    if (int byLowerTitle = AnsiLowerCase(a.Title).compare(AnsiLowerCase(b.Title))) return byLowerTitle;
    if (int byTitle = a.Title.compare(b.Title)) return byTitle;
    return a.LinkTo.compare(b.LinkTo);
}

bool StyleDefaultSizes(int32_t viewStyle, int32_t& buttonWidth, int32_t& titleWidth) {
    static constexpr int32_t ButtonWidths[ViewStyleCount] = {38, 22, 38, 22, 22, 22, 70, 70};
    static constexpr int32_t TitleWidths[ViewStyleCount] = {54, 54, 54, 86, 30, 54, 54, 70};
    if (viewStyle < 0 || viewStyle >= ViewStyleCount) return false;
    buttonWidth = ButtonWidths[viewStyle];
    titleWidth = TitleWidths[viewStyle];
    return true;
}

static int32_t ValidShowCmd(int32_t showCmd) {
    return showCmd == ShowMaximized || showCmd == ShowNormal || showCmd == ShowMinimized ? showCmd : ShowNormal;
}

static std::string FileNameWithoutExt(const std::string& path) { return ChangeFileExt(ExtractFileName(path), ""); }

TVantorPage::TVantorPage(TPlatform& platform)
    : Platform(platform),
      FWindowsFolder(platform.WindowsFolder()),
      FWindowsFolderLower(AnsiLowerCase(FWindowsFolder)),
      FSystemFolder(platform.SystemFolder()) {}

TVantorPage::~TVantorPage() = default;

bool TVantorPage::FileExists(const std::string& path) const {
    if (!FExistenceMemo) return Platform.FileExists(path);
    const auto known = FExistenceMemo->find(path);
    if (known != FExistenceMemo->end()) return known->second;
    const bool exists = Platform.FileExists(path);
    FExistenceMemo->emplace(path, exists);
    return exists;
}

std::string TVantorPage::NormalizePath(const std::string& path) const {
    std::string result = path;
    // A bare name (no folder, no drive) is taken to be in the Windows folder.
    if (!result.empty() && LastDelimiter(result, "\\:") == std::string::npos) result = FWindowsFolder + "\\" + result;
    // Lower-casing keeps the length, so only a folder as long as the Windows
    // folder needs comparing: most entries skip the copy.
    const std::string folder = ExtractFileDir(result);
    if (folder.size() == FWindowsFolderLower.size() && AnsiLowerCase(folder) == FWindowsFolderLower &&
        !FileExists(result))
        result = FSystemFolder + "\\" + ExtractFileName(result);
    return result;
}

bool TVantorPage::Insert(int32_t index, const std::string& linkTo, std::string title, std::string keyword,
                         std::string arguments, std::string workingDir, int32_t showCmd, bool forbidden,
                         const std::string& iconPath, int32_t iconIndex) {
    assert(index >= 0 && index <= Count());
    const int32_t slot = FButtons.LowestFreeSlot();
    if (IsFull() || slot < 0) return false;

    auto button = std::make_unique<TVantorButton>();
    if (linkTo == SeparatorLink) {
        button->LinkTo = linkTo;
        button->Title = SeparatorTitle;
    } else {
        button->LinkTo = NormalizePath(linkTo);
        button->Title = title.empty() ? DefaultButtonTitle(slot) : std::move(title);
    }
    button->Keyword = std::move(keyword);
    button->Arguments = std::move(arguments);
    // The folder of the target is the default anyway; compared with the
    // target as given, before normalisation.
    if (!workingDir.empty() && workingDir != ExtractFileDir(linkTo)) button->WorkingDir = std::move(workingDir);
    button->ShowCmd = ValidShowCmd(showCmd);
    button->Forbidden = forbidden;
    button->IconPath = NormalizePath(iconPath);
    button->IconIndex = iconIndex;
    button->SlotIndex = slot;
    return FButtons.Insert(index, std::move(button));
}

bool TVantorPage::Add(const std::string& linkTo, std::string title, std::string keyword, std::string arguments,
                      std::string workingDir, int32_t showCmd, bool forbidden, const std::string& iconPath,
                      int32_t iconIndex) {
    return Insert(Count(), linkTo, std::move(title), std::move(keyword), std::move(arguments), std::move(workingDir),
                  showCmd, forbidden, iconPath, iconIndex);
}

bool TVantorPage::AddFile(const std::string& fileName) {
    if (IsFull()) return false;
    std::string ext = AnsiLowerCase(ExtractFileExt(fileName));
    std::string base = FileNameWithoutExt(fileName);
    TShortcutInfo link;
    bool isShortcut = ext == ".lnk" || ext == ".pif";
    if (!isShortcut || !Platform.ReadShortcut(fileName, link))
        return Add(fileName, base, base, "", "", ShowNormal, false, "", 0);
    if (link.Path.empty())
        return Add(fileName, base, base, "", "", ShowNormal, false, link.IconLocation, link.IconIndex);
    return Add(link.Path, base, FileNameWithoutExt(link.Path), link.Arguments, link.WorkingDir, link.ShowCmd, false,
               link.IconLocation, link.IconIndex);
}

bool TVantorPage::AddCopy(const TVantorButton& button) {
    const int32_t slot = FButtons.LowestFreeSlot();
    if (IsFull() || slot < 0) return false;
    auto copy = std::make_unique<TVantorButton>();
    copy->CopyDataFrom(button);
    copy->SlotIndex = slot;
    return FButtons.Insert(Count(), std::move(copy));
}

bool TVantorPage::AppendPage(const TVantorPage& page) {
    // Count taken first, so appending a page to itself copies each entry once.
    int32_t count = page.Count();
    for (int32_t i = 0; i < count; ++i) {
        const TVantorButton* button = page.Buttons(i);
        if (button && !AddCopy(*button)) return false;
    }
    return true;
}

void TVantorPage::Assign(const TVantorPage& page) {
    if (&page == this) return;
    Caption = page.Caption;
    ViewStyle = page.ViewStyle;
    DefaultLayout = page.DefaultLayout;
    ButtonWidth = page.ButtonWidth;
    Margin = page.Margin;
    TitleWidth = page.TitleWidth;
    Clear();
    AppendPage(page);
}

void TVantorPage::Delete(int32_t index) { FButtons.Delete(index); }

void TVantorPage::FreeAt(int32_t index) { FButtons.FreeAt(index); }

void TVantorPage::Pack() { FButtons.Pack(); }

void TVantorPage::Clear() { FButtons.Clear(); }

void TVantorPage::Move(int32_t from, int32_t to) { FButtons.Move(from, to); }

int32_t TVantorPage::IndexOfButton(const TVantorButton& button) const {
    for (int32_t i = 0; i < Count(); ++i) {
        const TVantorButton* b = FButtons.At(i);
        if (b && SameText(b->LinkTo, button.LinkTo) && b->Title == button.Title &&
            SameText(b->IconPath, button.IconPath) && b->IconIndex == button.IconIndex)
            return i;
    }
    return -1;
}

void TVantorPage::SortButtons() {
    FButtons.StableSort([](const TVantorButton& a, const TVantorButton& b) { return CompareButtons(a, b) < 0; });
}

void TVantorPage::ApplyDefaultLayout() {
    Margin = 2;
    StyleDefaultSizes(ViewStyle, ButtonWidth, TitleWidth);
}
