#include "dialogs/properties.h"

#include <algorithm>

#include "text/text.h"

namespace {

constexpr int32_t kShowCmds[] = {ShowNormal, ShowMaximized, ShowMinimized};

template <class T, class F>
bool AllSame(const TVantorPage& page, const TIndexList& selected, F field, T& value) {
    bool first = true;
    for (int32_t index : selected) {
        if (index < 0 || index >= page.Count() || !page.Buttons(index)) continue;
        const T current = field(*page.Buttons(index));
        if (first)
            value = current;
        else if (!(current == value))
            return false;
        first = false;
    }
    return !first;
}

std::string SharedText(const TVantorPage& page, const TIndexList& selected, std::string TVantorButton::*field) {
    std::string value;
    return AllSame<std::string>(
               page, selected, [field](const TVantorButton& b) { return b.*field; }, value)
               ? value
               : std::string();
}

}  // namespace

int32_t ShowCmdToItem(int32_t showCmd) {
    for (int32_t i = 0; i < 3; ++i)
        if (kShowCmds[i] == showCmd) return i;
    return 0;
}

int32_t ItemToShowCmd(int32_t item) { return item >= 0 && item < 3 ? kShowCmds[item] : -1; }

TEntryFields EntryFieldsOf(const TVantorButton& entry) {
    TEntryFields f;
    f.LinkTo = entry.LinkTo;
    f.Title = entry.Title;
    f.Keyword = entry.Keyword;
    f.Arguments = entry.Arguments;
    f.WorkingDir = entry.WorkingDir;
    f.ShowItem = ShowCmdToItem(entry.ShowCmd);
    f.Forbidden = entry.Forbidden ? TCheckState::On : TCheckState::Off;
    if (!entry.IconPath.empty()) {
        f.IconPath = entry.IconPath;
        f.IconIndex = entry.IconIndex;
    }
    return f;
}

void StoreEntryFields(const TEntryFields& f, TVantorButton& entry) {
    entry.LinkTo = f.LinkTo;
    entry.Title = f.Title;
    entry.Keyword = f.Keyword;
    entry.Arguments = f.Arguments;
    entry.WorkingDir = f.WorkingDir;
    if (f.ShowItem >= 0 && f.ShowItem < 3) entry.ShowCmd = ItemToShowCmd(f.ShowItem);
    if (f.Forbidden != TCheckState::Mixed) entry.Forbidden = f.Forbidden == TCheckState::On;
    entry.IconPath = f.IconPath;
    entry.IconIndex = f.IconPath.empty() ? 0 : std::clamp(f.IconIndex, IconIndexMin, IconIndexMax);
}

TEntryFields SharedEntryFields(const TVantorPage& page, const TIndexList& selected) {
    TEntryFields f;
    f.ShowItem = -1;
    f.Forbidden = TCheckState::Mixed;
    f.Keyword = SharedText(page, selected, &TVantorButton::Keyword);
    f.Arguments = SharedText(page, selected, &TVantorButton::Arguments);
    f.WorkingDir = SharedText(page, selected, &TVantorButton::WorkingDir);
    // Only a stored state the list can show exactly is shown as shared, so
    // OK without a change writes nothing new.
    int32_t showCmd = 0;
    if (AllSame<int32_t>(
            page, selected, [](const TVantorButton& b) { return b.ShowCmd; }, showCmd) &&
        ItemToShowCmd(ShowCmdToItem(showCmd)) == showCmd)
        f.ShowItem = ShowCmdToItem(showCmd);
    bool forbidden = false;
    if (AllSame<bool>(
            page, selected, [](const TVantorButton& b) { return b.Forbidden; }, forbidden))
        f.Forbidden = forbidden ? TCheckState::On : TCheckState::Off;
    return f;
}

void ApplyEntryFields(const TEntryFields& f, const TEntryTouched& touched, TVantorPage& page,
                      const TIndexList& selected) {
    for (int32_t index : selected) {
        if (index < 0 || index >= page.Count() || !page.Buttons(index)) continue;
        TVantorButton& entry = *page.Buttons(index);
        if (entry.IsSeparator()) continue;
        if (touched.Keyword) entry.Keyword = f.Keyword;
        if (touched.Arguments) entry.Arguments = f.Arguments;
        if (touched.WorkingDir) entry.WorkingDir = f.WorkingDir;
        if (f.ShowItem >= 0 && f.ShowItem < 3) entry.ShowCmd = ItemToShowCmd(f.ShowItem);
        if (f.Forbidden != TCheckState::Mixed) entry.Forbidden = f.Forbidden == TCheckState::On;
    }
}

bool EntryOkEnabled(bool viewOnly, const std::string& title, const std::string& linkTo, int32_t showItem) {
    return !viewOnly && !title.empty() && !linkTo.empty() && showItem >= 0;
}

TEntryCheck CheckEntryFields(const TEntryFields& f, bool checkLinkTo, const TTargetLook& look) {
    auto fail = [](TEntryField field, const std::string& text) {
        return TEntryCheck{field, "\"" + text + "\"が見つかりません。"};
    };
    if (checkLinkTo && !IsWebAddress(f.LinkTo) && look(f.LinkTo) == TTargetKind::Missing)
        return fail(TEntryField::LinkTo, f.LinkTo);
    if (!f.WorkingDir.empty() && look(f.WorkingDir) == TTargetKind::File)
        return fail(TEntryField::WorkingDir, f.WorkingDir);
    if (!f.IconPath.empty()) {
        const TTargetKind icon = look(f.IconPath);
        if (icon == TTargetKind::Missing || icon == TTargetKind::Folder) return fail(TEntryField::IconPath, f.IconPath);
    }
    return {};
}

TEntryCheck CheckEntryFields(const TEntryFields& f, bool checkLinkTo, TPlatform& platform) {
    return CheckEntryFields(f, checkLinkTo, PlatformLook(platform));
}

std::vector<std::string> EntryCheckPaths(const TEntryFields& f, bool checkLinkTo) {
    std::vector<std::string> paths;
    auto add = [&paths](const std::string& path) {
        for (const std::string& p : paths)
            if (TargetKey(p) == TargetKey(path)) return;
        paths.push_back(path);
    };
    if (checkLinkTo && !IsWebAddress(f.LinkTo)) add(f.LinkTo);
    if (!f.WorkingDir.empty()) add(f.WorkingDir);
    if (!f.IconPath.empty()) add(f.IconPath);
    return paths;
}

int32_t SpinValue(const std::string& text, int32_t minimum, int32_t maximum, int32_t fallback) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) value = fallback;
    return std::clamp(value, minimum, maximum);
}

void StyleDefaults(int32_t viewStyle, int32_t& buttonWidth, int32_t& margin, int32_t& titleWidth) {
    margin = 2;
    if (!StyleDefaultSizes(viewStyle, buttonWidth, titleWidth)) StyleDefaultSizes(0, buttonWidth, titleWidth);
}

TPageFields PageFieldsOf(const TVantorPage& page) {
    TPageFields f;
    f.Caption = page.Caption;
    f.ViewStyle = page.ViewStyle < ViewStyleCount ? page.ViewStyle : -1;
    f.DefaultLayout = page.DefaultLayout;
    f.ButtonWidth = page.ButtonWidth;
    f.Margin = page.Margin;
    f.TitleWidth = page.TitleWidth;
    if (f.ButtonWidth < ButtonWidthMin || f.ButtonWidth > ButtonWidthMax || f.Margin < MarginMin ||
        f.Margin > MarginMax || f.TitleWidth < TitleWidthMin || f.TitleWidth > TitleWidthMax)
        StyleDefaults(page.ViewStyle, f.ButtonWidth, f.Margin, f.TitleWidth);
    return f;
}

void ChooseViewStyle(TPageFields& f, int32_t viewStyle) {
    if (viewStyle < 0 || viewStyle >= ViewStyleCount) return;
    f.ViewStyle = viewStyle;
    StyleDefaults(viewStyle, f.ButtonWidth, f.Margin, f.TitleWidth);
}

void StorePageFields(const TPageFields& f, TVantorPage& page) {
    page.Caption = f.Caption;
    if (f.ViewStyle >= 0 && f.ViewStyle < ViewStyleCount) page.ViewStyle = static_cast<uint8_t>(f.ViewStyle);
    page.DefaultLayout = f.DefaultLayout;
    page.ButtonWidth = std::clamp(f.ButtonWidth, ButtonWidthMin, ButtonWidthMax);
    page.Margin = std::clamp(f.Margin, MarginMin, MarginMax);
    page.TitleWidth = std::clamp(f.TitleWidth, TitleWidthMin, TitleWidthMax);
}

void ApplyViewStyle(int32_t viewStyle, TVantorManager& pages, const TIndexList& selected) {
    if (viewStyle < 0 || viewStyle >= ViewStyleCount) return;
    for (int32_t index : selected)
        if (index >= 0 && index < pages.Count() && pages.Pages(index))
            pages.Pages(index)->ViewStyle = static_cast<uint8_t>(viewStyle);
}

bool PageOkEnabled(bool captionEnabled, const std::string& caption, int32_t viewStyle) {
    return viewStyle >= 0 && (!captionEnabled || !caption.empty());
}

void TakeProgram(TEntryFields& f, const std::string& path) {
    const std::string name = ExtractFileName(path);
    f.LinkTo = path;
    f.Title = name.substr(0, name.size() - ExtractFileExt(name).size());
    f.Keyword = f.Title;
}

std::vector<TProgramItem> ProgramList(const std::vector<std::string>& paths) {
    std::vector<TProgramItem> items;
    for (const std::string& path : paths) {
        TProgramItem item{ExtractFileName(path), ExtractFilePath(path)};
        if (item.Name.empty()) continue;
        const bool known = std::any_of(items.begin(), items.end(), [&](const TProgramItem& other) {
            return other.Name == item.Name && other.Folder == item.Folder;
        });
        if (!known) items.push_back(std::move(item));
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const TProgramItem& a, const TProgramItem& b) { return CompareText(a.Name, b.Name) < 0; });
    return items;
}
