#include "menus/folder_menu.h"

#include <memory>

#include "base/message_pump.h"
#include "base/monitors.h"
#include "base/wait_cursor.h"
#include "base/win_text.h"
#include "menus/folder_menu_model.h"
#include "shell/id_list.h"
#include "text/text.h"

namespace {

const char kInvalidPath[] = "パスが有効な文字列ではありません。";
const char kPageFull[] = "1つのページに登録できるボタンまたはセパレータは%d個までです。";
const char kFolderListFull[] = "登録できるフォルダは%d個までです。";

// A name is shown as it is: "&" would otherwise underline the next letter
// and vanish. It is never a trail byte, so the bytes can be walked as they are.
std::string MenuText(const std::string& caption) {
    std::string text;
    for (char c : caption) {
        text += c;
        if (c == '&') text += '&';
    }
    return text;
}

// Rows of one column: the height in menu items of the monitor the menu opens
// on, the one under the pointer (a submenu opens beside its item).
int RowsPerColumn() {
    const int item = GetSystemMetrics(SM_CYMENU);
    POINT pointer{};
    if (item <= 0 || !GetCursorPos(&pointer)) return 0;
    return MonitorOfPoint(pointer).Area.Height() / item;
}

}  // namespace

void TFolderMenu::DropDown(POINT at) {
    if (FBusy || FMenu.Count() > 0) return;
    FBusy = true;
    try {
        BuildRoot();
        FMenu.Popup(FHost.FolderMenuOwner(), at);
    } catch (...) {
        Close();
        FBusy = false;
        throw;
    }
    Close();
    FBusy = false;
}

void TFolderMenu::Close() {
    FMenu.Clear();
    ReleaseIDLists();
}

// A command may leave work queued for this thread that still refers to its
// ID list (the shell starting an item): the lists go once what is queued
// now has run, not here.
void TFolderMenu::ReleaseIDLists() {
    if (FIDLists.empty()) return;
    auto lists = std::make_shared<std::vector<TSharedIDList>>(std::move(FIDLists));
    FIDLists.clear();
    PostToThread([lists] { lists->clear(); });
}

TListingOptions TFolderMenu::ListingOptions() {
    const TVantorManager& settings = FHost.FolderMenuPages();
    return TListingOptions{settings.ExpandApplication, settings.CustomExts};
}

void TFolderMenu::BuildRoot() {
    Close();
    FMenu.SetImages(&SystemSmallIcons());
    TWaitCursor wait;
    const TVantorManager& settings = FHost.FolderMenuPages();
    TFolderHistory& history = FHost.FolderMenuHistory();
    TRootRequest request{VisibleRootFolders(settings.VisibleFolders), settings.CustomFolders.Items(), history.Items};
    const TListingOptions options = ListingOptions();
    auto contents = std::make_shared<TRootContents>();
    auto delay = BeforeListing;
    if (!RunBounded(
            [contents, request, options, delay] {
                if (delay) delay();
                *contents = ListMenuRoot(request, options);
            },
            ListingTimeoutMs)) {
        AddNotResponding(FMenu);
        return;
    }
    if (FAILED(contents->Drives.Error)) FHost.FolderMenuError(SystemErrorText(contents->Drives.Error));
    AddListing(FMenu, contents->Drives.Objects, 0);
    for (const TShellObject& folder : contents->Folders) AddObject(FMenu, folder);
    if (!settings.CustomFolders.Items().empty()) {
        FMenu.AddSeparator();
        for (const TShellObject& folder : contents->CustomFolders) AddObject(FMenu, folder);
    }
    // Entries that no longer parse leave the history, last first so the
    // indexes stay right.
    for (auto i = contents->UnresolvedHistory.rbegin(); i != contents->UnresolvedHistory.rend(); ++i)
        history.Delete(*i);
    if (!contents->History.empty()) {
        FMenu.AddSeparator();
        TPopupMenu& recent = FMenu.AddSubmenu(FolderMenuRecent);
        for (const TShellObject& folder : contents->History) AddObject(recent, folder);
    }
}

void TFolderMenu::AddListing(TPopupMenu& menu, const std::vector<TShellObject>& objects, int leadingItems) {
    for (const TShellObject& object : objects) AddObject(menu, object);
    const bool breakMenu = FHost.FolderMenuPages().BreakFolderMenu;
    for (int32_t position :
         FolderMenuColumnBreaks(leadingItems + static_cast<int32_t>(objects.size()), RowsPerColumn(), breakMenu))
        menu.SetColumnBreak(position);
}

void TFolderMenu::AddNotResponding(TPopupMenu& menu) {
    menu.SetEnabled(menu.AddItem(NotResponding, "", nullptr), false);
}

void TFolderMenu::AddFolderItem(TPopupMenu& parent, const TShellObject& folder) {
    TShellObject object = folder;
    // The parent draws the program's pictures, not the shell's.
    object.Icon = -1;
    object.IsFolder = true;
    AddObject(parent, object);
    parent.Submenu(parent.Count() - 1)->SetOwnImages(&SystemSmallIcons());
}

void TFolderMenu::AddObject(TPopupMenu& parent, const TShellObject& object) {
    TPopupMenu& item = parent.AddSubmenu(MenuText(object.Caption), object.Icon);
    const TSharedIDList idList = object.IDList;
    FIDLists.push_back(idList);
    item.AddItem(object.IsFolder ? FolderMenuOpen : FolderMenuExecute, "", [this, object] { OpenObject(object); });
    item.AddItem(FolderMenuAddButton, "", [this, idList] { AddButton(idList); });
    if (!object.IsFolder) return;
    item.AddItem(FolderMenuAddToMenu, "", [this, idList] { AddToMenu(idList); });
    // Listed the first time it opens in this drop-down, never again.
    auto listed = std::make_shared<bool>(false);
    item.OnPopup = [this, idList, listed](TPopupMenu& menu) {
        if (*listed) return;
        *listed = true;
        FillFolder(menu, idList);
    };
}

void TFolderMenu::FillFolder(TPopupMenu& menu, const TSharedIDList& folder) {
    TWaitCursor wait;
    const TListingOptions options = ListingOptions();
    auto contents = std::make_shared<TFolderContents>();
    auto delay = BeforeListing;
    // The worker keeps its own share of the folder's ID list: it may outlive
    // this menu when it does not finish in time.
    const bool finished = RunBounded(
        [contents, folder, options, delay] {
            if (delay) delay();
            *contents = ListShellFolder(folder.get(), false, options);
        },
        ListingTimeoutMs);
    if (!finished) {
        menu.AddSeparator();
        AddNotResponding(menu);
        return;
    }
    if (FAILED(contents->Error)) {
        FHost.FolderMenuError(SystemErrorText(contents->Error));
        return;
    }
    if (contents->Objects.empty()) return;
    menu.AddSeparator();
    AddListing(menu, contents->Objects, menu.Count());
}

// The listing said what the object is: its drive is not asked again here.
void TFolderMenu::OpenObject(const TShellObject& object) {
    const std::string& path = object.Path;
    const std::string folder = path.empty() || object.IsFolder ? path : ExtractFileDir(path);
    FHost.FolderMenuHistory().Add(folder);
    FHost.FolderMenuExecute(object.IDList.get());
}

void TFolderMenu::AddButton(const TSharedIDList& idList) {
    const std::string path = IDListToPath(idList.get());
    if (path.empty()) {
        FHost.FolderMenuError(kInvalidPath);
        return;
    }
    TVantorManager& pages = FHost.FolderMenuPages();
    if (pages.CurrentPage() < 0 || pages.CurrentPage() >= pages.Count()) return;
    TVantorPage& page = *pages.Pages(pages.CurrentPage());
    if (page.IsFull()) {
        FHost.FolderMenuError(Format(kPageFull, MaxButtonsPerPage));
        return;
    }
    page.AddFile(path);
    FHost.FolderMenuPageChanged();
}

void TFolderMenu::AddToMenu(const TSharedIDList& idList) {
    if (AddCustomFolder(FHost.FolderMenuPages().CustomFolders, IDListToPath(idList.get())) == TAddFolderResult::Full)
        FHost.FolderMenuError(Format(kFolderListFull, MaxCustomFolders));
}
