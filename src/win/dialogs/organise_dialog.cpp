#include "dialogs/organise_dialog.h"

#include "base/handles.h"
#include "dialogs/entry_properties.h"
#include "dialogs/page_properties.h"
#include "text/text.h"

namespace {

constexpr UINT_PTR kRefillTimer = 1;
constexpr UINT kRefillDelay = 500;
constexpr UINT_PTR kScrollTimer = 2;
constexpr UINT kScrollInterval = 100;
constexpr int kScrollStep = 16;

enum { imPage = 0, imEntry = 1, imSeparator = 2 };

int ImageOf(const TVantorButton& entry) { return entry.IsSeparator() ? imSeparator : imEntry; }

// The hourglass for one long refill.
class TWaitCursor {
public:
    TWaitCursor() : FPrevious(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(FPrevious); }

private:
    HCURSOR FPrevious;
};

}  // namespace

TOrganiseDialog::TOrganiseDialog(const TDialogHost& host, TPlatform& platform, TVantorManager& pages,
                                 TVantorPage& clipboard, bool smartSet)
    : TDialog(IDD_ORGANISE),
      FHost(host),
      FPlatform(platform),
      FPages(pages),
      FClipboard(clipboard),
      FSmartSet(smartSet) {}

bool TOrganiseDialog::OnInit() {
    UseJapaneseFont(Handle());
    PlaceInPixels(Handle(), 497, 351);
    if (FImages.Create(16, 16, 3)) {
        TBitmap strip(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), L"ORGANISEIMAGES", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        FImages.AddStrip(strip.Get(), RGB(255, 0, 255));
    }
    ListPrepareOneColumn(PageList(), FImages.Handle());
    ListPrepareOneColumn(EntryList(), FImages.Handle());
    FillPages();
    FFilling = true;
    ListSelectOnly(PageList(), {FPages.CurrentPage()});
    FFilling = false;
    FillEntries();
    UpdateCommands();
    return true;
}

void TOrganiseDialog::OnClose(int) {
    KillTimer(Handle(), kRefillTimer);
    if (FDragSource) EndDrag(false);
}

// ---------------------------------------------------------------- lists

void TOrganiseDialog::FillPages() {
    HWND list = PageList();
    FFilling = true;
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (int32_t i = 0; i < FPages.Count(); ++i) ListInsertItem(list, i, FPages.Pages(i)->Caption, imPage);
    FFilling = false;
}

void TOrganiseDialog::FillEntries() {
    TWaitCursor wait;
    HWND list = EntryList();
    FFilling = true;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    if (TVantorPage* page = SelectedPage()) {
        const int have = ListCount(list);
        const int want = page->Count();
        for (int i = 0; i < std::min(have, want); ++i)
            ListSetItem(list, i, page->Buttons(i)->Title, ImageOf(*page->Buttons(i)));
        for (int i = have - 1; i >= want; --i) SendMessageW(list, LVM_DELETEITEM, i, 0);
        for (int i = have; i < want; ++i) ListInsertItem(list, i, page->Buttons(i)->Title, ImageOf(*page->Buttons(i)));
    } else {
        SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    FFilling = false;
    UpdateCommands();
}

void TOrganiseDialog::RefreshEntry(int index) {
    TVantorPage* page = SelectedPage();
    if (!page || index < 0 || index >= page->Count()) return;
    FFilling = true;
    ListSetItem(EntryList(), index, page->Buttons(index)->Title, ImageOf(*page->Buttons(index)));
    FFilling = false;
}

TVantorPage* TOrganiseDialog::SelectedPage() {
    const TIndexList selected = ListSelection(PageList());
    if (selected.size() != 1 || selected[0] >= FPages.Count()) return nullptr;
    return FPages.Pages(selected[0]);
}

void TOrganiseDialog::SelectPages(const TIndexList& pages) {
    KillTimer(Handle(), kRefillTimer);
    FFilling = true;
    ListSelectOnly(PageList(), pages);
    FFilling = false;
    FillEntries();
}

void TOrganiseDialog::SelectEntries(const TIndexList& entries) {
    FFilling = true;
    ListSelectOnly(EntryList(), entries);
    FFilling = false;
    UpdateCommands();
}

void TOrganiseDialog::UpdateCommands() {
    TOrganiseSelection s;
    s.SmartSet = FSmartSet;
    s.SelectedPages = static_cast<int32_t>(ListSelection(PageList()).size());
    const TIndexList entries = ListSelection(EntryList());
    s.SelectedEntries = static_cast<int32_t>(entries.size());
    if (TVantorPage* page = SelectedPage())
        for (int32_t index : entries)
            if (index < page->Count() && page->Buttons(index)->IsSeparator()) s.SeparatorSelected = true;
    s.ClipboardEmpty = FClipboard.Count() == 0;
    const TOrganiseCommands c = OrganiseCommands(s);
    EnableItem(IDC_ORG_PAGE_ADD, c.PageAdd);
    EnableItem(IDC_ORG_IMPORT, c.PageAdd);
    EnableItem(IDC_ORG_ADD_FOLDER, c.PageAdd);
    EnableItem(IDC_ORG_PAGE_CHANGE, c.PageChange);
    EnableItem(IDC_ORG_PAGE_DELETE, c.PageDelete);
    EnableItem(IDC_ORG_ENTRY_ADD, c.EntryAdd);
    EnableItem(IDC_ORG_SEPARATOR, c.EntryAdd);
    EnableItem(IDC_ORG_SORT, c.EntryAdd);
    EnableItem(IDC_ORG_ENTRY_CHANGE, c.EntryChange);
    EnableItem(IDC_ORG_ENTRY_DELETE, c.EntryDelete);
    EnableItem(IDC_ORG_CUT, c.EntryDelete);
    EnableItem(IDC_ORG_COPY, c.EntryDelete);
    EnableItem(IDC_ORG_PASTE, c.EntryPaste);
}

void TOrganiseDialog::ErrorBox(const std::string& text) { ShowMessage(text, MB_OK | MB_ICONERROR); }

bool TOrganiseDialog::ConfirmBox(const std::string& text) {
    return ShowMessage(text, MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES;
}

// ---------------------------------------------------------------- page commands

void TOrganiseDialog::PageAdd() {
    if (FSmartSet) return;
    if (FPages.IsFull() || !FPages.AddPage("", 1)) {
        ErrorBox(SetFullMessage());
        return;
    }
    const int32_t added = FPages.Count() - 1;
    if (!EditPage(FHost.Over(Handle()), *FPages.Pages(added))) {
        FPages.DeletePage(added);
        return;
    }
    FillPages();
    SelectPages({added});
}

void TOrganiseDialog::PageChange() {
    const TIndexList selected = ListSelection(PageList());
    bool changed = false;
    if (selected.size() == 1)
        changed = EditPage(FHost.Over(Handle()), *FPages.Pages(selected[0]));
    else if (!selected.empty())
        changed = EditPages(FHost.Over(Handle()), FPages, selected);
    if (!changed) return;
    FillPages();
    SelectPages(selected);
}

void TOrganiseDialog::PageDelete() {
    const TIndexList selected = ListSelection(PageList());
    if (selected.empty()) return;
    if (static_cast<int32_t>(selected.size()) >= FPages.Count()) {
        ErrorBox(LastPageMessage());
        return;
    }
    if (!ConfirmBox(DeletePagesQuestion(FPages, selected))) return;
    DeletePages(FPages, selected);
    FillPages();
    FillEntries();
}

void TOrganiseDialog::AddFolder() {
    if (FSmartSet) return;
    if (FPages.IsFull()) {
        ErrorBox(SetFullMessage());
        return;
    }
    const std::string folder = AskFolder(Handle(), "一括登録するフォルダを指定してください。");
    if (folder.empty()) return;
    const int answer =
        ShowMessage("サブフォルダ内のアプリケーションも登録しますか？", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO) return;
    AddFolderPage(folder, answer == IDYES);
}

void TOrganiseDialog::AddFolderPage(const std::string& folder, bool recursive) {
    if (FSmartSet) return;
    if (!FPages.AddFolderPage(folder, recursive)) {
        ErrorBox(SetFullMessage());
        return;
    }
    FillPages();
    SelectPages({FPages.Count() - 1});
}

void TOrganiseDialog::Import() {
    if (FSmartSet) return;
    if (FPages.IsFull()) {
        ErrorBox(SetFullMessage());
        return;
    }
    const std::string file =
        AskOpenFile(Handle(), "箇条テキストの参照", "テキスト(*.txt)|*.txt|全てのファイル(*.*)|*.*", "", 1, "txt");
    if (!file.empty()) ImportFile(file);
}

void TOrganiseDialog::ImportFile(const std::string& fileName) {
    if (FSmartSet) return;
    if (FPages.IsFull()) {
        ErrorBox(SetFullMessage());
        return;
    }
    if (!ImportListPage(FPages, FPlatform, fileName)) {
        ErrorBox(ImportFailedMessage(fileName));
        return;
    }
    FillPages();
    SelectPages({FPages.Count() - 1});
}

// ---------------------------------------------------------------- entry commands

void TOrganiseDialog::EntryAdd() {
    TVantorPage* page = SelectedPage();
    if (!page) return;
    if (!page->Add("", "", "", "", "", ShowNormal, false, "", -1)) {
        ErrorBox(PageFullMessage());
        return;
    }
    const int32_t added = page->Count() - 1;
    if (!EditButton(FHost.Over(Handle()), FPlatform, *page->Buttons(added), false)) {
        page->Delete(added);
        return;
    }
    FFilling = true;
    ListSelect(EntryList(), -1, false);
    ListInsertItem(EntryList(), added, page->Buttons(added)->Title, ImageOf(*page->Buttons(added)));
    FFilling = false;
    SelectEntries({added});
}

void TOrganiseDialog::EntrySeparator() {
    TVantorPage* page = SelectedPage();
    if (!page) return;
    const int32_t at = InsertSeparator(*page, ListSelection(EntryList()));
    if (at < 0) {
        ErrorBox(PageFullMessage());
        return;
    }
    FFilling = true;
    ListInsertItem(EntryList(), at, page->Buttons(at)->Title, imSeparator);
    FFilling = false;
    SelectEntries({at});
}

void TOrganiseDialog::EntryChange() {
    TVantorPage* page = SelectedPage();
    const TIndexList selected = ListSelection(EntryList());
    if (!page || selected.empty()) return;
    for (int32_t index : selected)
        if (index >= page->Count() || page->Buttons(index)->IsSeparator()) return;
    if (selected.size() == 1) {
        if (EditButton(FHost.Over(Handle()), FPlatform, *page->Buttons(selected[0]), false)) RefreshEntry(selected[0]);
        return;
    }
    if (EditButtons(FHost.Over(Handle()), FPlatform, *page, selected)) FillEntries();
}

void TOrganiseDialog::EntryDelete() {
    TVantorPage* page = SelectedPage();
    const TIndexList selected = ListSelection(EntryList());
    if (!page || selected.empty()) return;
    if (!ConfirmBox(DeleteEntriesQuestion(*page, selected))) return;
    DeleteEntries(*page, selected);
    if (selected.size() > 1) {
        FillEntries();
        return;
    }
    FFilling = true;
    SendMessageW(EntryList(), LVM_DELETEITEM, selected[0], 0);
    FFilling = false;
    const int32_t next = SelectionAfterDelete(*page, selected[0]);
    SelectEntries(next >= 0 ? TIndexList{next} : TIndexList{});
}

void TOrganiseDialog::EntryCut() {
    TVantorPage* page = SelectedPage();
    const TIndexList selected = ListSelection(EntryList());
    if (!page || selected.empty()) return;
    CutEntries(*page, selected, FClipboard);
    FillEntries();
}

void TOrganiseDialog::EntryCopy() {
    TVantorPage* page = SelectedPage();
    const TIndexList selected = ListSelection(EntryList());
    if (!page || selected.empty()) return;
    CopyEntries(*page, selected, FClipboard);
    UpdateCommands();
}

void TOrganiseDialog::EntryPaste() {
    TVantorPage* page = SelectedPage();
    if (!page || FClipboard.Count() == 0) return;
    PasteEntries(*page, FClipboard);
    FillEntries();
}

void TOrganiseDialog::EntrySort() {
    TVantorPage* page = SelectedPage();
    if (!page) return;
    page->SortButtons();
    FillEntries();
}

// ---------------------------------------------------------------- drops

void TOrganiseDialog::DropEntryOnEntry(int from, int to) {
    TVantorPage* page = SelectedPage();
    if (!page || from < 0 || to < 0 || from >= page->Count() || to >= page->Count() || from == to) return;
    page->Move(from, to);
    for (int i = std::min(from, to); i <= std::max(from, to); ++i) RefreshEntry(i);
    SelectEntries({to});
}

void TOrganiseDialog::DropPageOnPage(int from, int to) {
    if (from < 0 || to < 0 || from >= FPages.Count() || to >= FPages.Count()) return;
    if (from != to) FPages.Move(from, to);
    FillPages();
    SelectPages({to});
}

void TOrganiseDialog::DropEntriesOnPage(int target) {
    TVantorPage* page = SelectedPage();
    if (!page || target < 0 || target >= FPages.Count()) return;
    TVantorPage& to = *FPages.Pages(target);
    const bool complete = MoveEntriesToPage(*page, ListSelection(EntryList()), to);
    FillEntries();
    if (!complete) ErrorBox(MoveIncompleteMessage(to));
}

// ---------------------------------------------------------------- events

bool TOrganiseDialog::OnCommand(int code, int id, HWND control) {
    if (code != BN_CLICKED) return TDialog::OnCommand(code, id, control);
    switch (id) {
        case IDC_ORG_PAGE_ADD:
            PageAdd();
            return true;
        case IDC_ORG_PAGE_CHANGE:
            PageChange();
            return true;
        case IDC_ORG_PAGE_DELETE:
            PageDelete();
            return true;
        case IDC_ORG_ADD_FOLDER:
            AddFolder();
            return true;
        case IDC_ORG_IMPORT:
            Import();
            return true;
        case IDC_ORG_ENTRY_ADD:
            EntryAdd();
            return true;
        case IDC_ORG_SEPARATOR:
            EntrySeparator();
            return true;
        case IDC_ORG_ENTRY_CHANGE:
            EntryChange();
            return true;
        case IDC_ORG_ENTRY_DELETE:
            EntryDelete();
            return true;
        case IDC_ORG_CUT:
            EntryCut();
            return true;
        case IDC_ORG_COPY:
            EntryCopy();
            return true;
        case IDC_ORG_PASTE:
            EntryPaste();
            return true;
        case IDC_ORG_SORT:
            EntrySort();
            return true;
        default:
            return TDialog::OnCommand(code, id, control);
    }
}

void TOrganiseDialog::ListKeyDown(int id, WORD key) {
    const bool ctrlOnly = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
    if (id == IDC_ORG_PAGES) {
        if (key == VK_DELETE) PageDelete();
        return;
    }
    if (key == VK_DELETE)
        EntryDelete();
    else if (ctrlOnly && key == 'X')
        EntryCut();
    else if (ctrlOnly && key == 'C')
        EntryCopy();
    else if (ctrlOnly && key == 'V')
        EntryPaste();
}

bool TOrganiseDialog::OnNotify(int id, NMHDR& header, LRESULT& result) {
    if (id != IDC_ORG_PAGES && id != IDC_ORG_ENTRIES) return TDialog::OnNotify(id, header, result);
    switch (header.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (FFilling || FDragSource || !(change.uChanged & LVIF_STATE) ||
                ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0)
                return true;
            UpdateCommands();
            // The entries follow once the selection settles (a drag over the
            // page list or a range being extended changes it many times).
            if (id == IDC_ORG_PAGES) SetTimer(Handle(), kRefillTimer, kRefillDelay, nullptr);
            return true;
        }
        case LVN_KEYDOWN:
            ListKeyDown(id, reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
            return true;
        case NM_DBLCLK:
            if (id == IDC_ORG_PAGES)
                PageChange();
            else
                EntryChange();
            return true;
        case LVN_BEGINDRAG:
            BeginDrag(header.hwndFrom);
            return true;
        default:
            return false;
    }
}

bool TOrganiseDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kRefillTimer && GetAsyncKeyState(VK_LBUTTON) >= 0) {
                KillTimer(Handle(), kRefillTimer);
                FillEntries();
            } else if (wParam == kScrollTimer) {
                DragScroll();
            }
            result = 0;
            return true;
        case WM_MOUSEMOVE:
            if (!FDragSource) return false;
            DragMove();
            result = 0;
            return true;
        case WM_LBUTTONUP:
            if (!FDragSource) return false;
            EndDrag(true);
            result = 0;
            return true;
        case WM_CAPTURECHANGED:
            // Another window took the pointer (a switch to another program): the drag is off.
            if (FDragSource && reinterpret_cast<HWND>(lParam) != Handle()) EndDrag(false);
            return false;
        case WM_KEYDOWN:
            if (FDragSource && wParam == VK_ESCAPE) {
                EndDrag(false);
                return true;
            }
            return false;
        default:
            return false;
    }
}

// ---------------------------------------------------------------- dragging

void TOrganiseDialog::BeginDrag(HWND source) {
    if (FDragSource) return;
    FDragSource = source;
    SetCapture(Handle());
    SetTimer(Handle(), kScrollTimer, kScrollInterval, nullptr);
}

HWND TOrganiseDialog::ListUnderPointer(int& item) const {
    item = -1;
    POINT screen{};
    GetCursorPos(&screen);
    for (HWND list : {PageList(), EntryList()}) {
        RECT r{};
        GetWindowRect(list, &r);
        if (!PtInRect(&r, screen)) continue;
        POINT client = screen;
        ScreenToClient(list, &client);
        item = ListItemAt(list, client);
        return list;
    }
    return nullptr;
}

bool TOrganiseDialog::AcceptsDrop(HWND target, int item) const {
    if (!target || item < 0) return false;
    const size_t selected = ListSelection(FDragSource).size();
    if (FDragSource == EntryList()) {
        if (target == PageList()) return selected > 0;
        return selected == 1;
    }
    return target == PageList() && selected == 1;
}

void TOrganiseDialog::SetDropHighlight(HWND list, int item) {
    if (list == FHighlightList && item == FHighlightItem) return;
    LVITEMW state{};
    state.stateMask = LVIS_DROPHILITED;
    if (FHighlightList && FHighlightItem >= 0)
        SendMessageW(FHighlightList, LVM_SETITEMSTATE, FHighlightItem, reinterpret_cast<LPARAM>(&state));
    FHighlightList = list;
    FHighlightItem = item;
    if (list && item >= 0) {
        state.state = LVIS_DROPHILITED;
        SendMessageW(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    }
}

void TOrganiseDialog::DragMove() {
    int item = -1;
    HWND target = ListUnderPointer(item);
    const bool accepts = AcceptsDrop(target, item);
    SetCursor(LoadCursor(nullptr, accepts ? IDC_ARROW : IDC_NO));
    SetDropHighlight(accepts ? target : nullptr, accepts ? item : -1);
    DragScroll();
}

void TOrganiseDialog::DragScroll() {
    if (!FDragSource || GetAsyncKeyState(VK_LBUTTON) >= 0) return;
    POINT screen{};
    GetCursorPos(&screen);
    for (HWND list : {PageList(), EntryList()}) {
        RECT r{};
        GetWindowRect(list, &r);
        if (screen.x < r.left || screen.x >= r.right) continue;
        if (screen.y < r.top)
            SendMessageW(list, LVM_SCROLL, 0, -kScrollStep);
        else if (screen.y >= r.bottom)
            SendMessageW(list, LVM_SCROLL, 0, kScrollStep);
    }
}

void TOrganiseDialog::EndDrag(bool drop) {
    HWND source = FDragSource;
    int item = -1;
    HWND target = drop ? ListUnderPointer(item) : nullptr;
    const bool accepts = drop && AcceptsDrop(target, item);
    FDragSource = nullptr;
    KillTimer(Handle(), kScrollTimer);
    SetDropHighlight(nullptr, -1);
    if (GetCapture() == Handle()) ReleaseCapture();
    if (!accepts) {
        UpdateCommands();
        return;
    }
    if (source == EntryList() && target == EntryList()) {
        const TIndexList selected = ListSelection(EntryList());
        DropEntryOnEntry(selected.front(), item);
    } else if (source == EntryList()) {
        DropEntriesOnPage(item);
    } else {
        DropPageOnPage(ListSelection(PageList()).front(), item);
    }
}

// ---------------------------------------------------------------- running

bool EditPageSet(const TDialogHost& host, TPlatform& platform, TVantorManager& pages, TVantorPage& clipboard,
                 bool smartSet) {
    LoadListViewControls();
    TVantorManager copy(platform);
    copy.Assign(pages);
    TOrganiseDialog dialog(host, platform, pages, clipboard, smartSet);
    host.Prepare(dialog, HelpTopicOf(THelpWindow::Organise));
    if (host.Run(dialog) == IDOK) return true;
    pages.Assign(copy);
    return false;
}
