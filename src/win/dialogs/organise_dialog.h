// The organise dialog: a page set as two lists, its pages and the entries of
// the selected page, edited in place by buttons, keys and drag and drop. The
// caller keeps a copy of the set to put back on Cancel (EditPageSet).
#pragma once

#include <string>

#include "base/dialog.h"
#include "dialogs/organise.h"
#include "dialogs/organise_host.h"
#include "dialogs/organise_ids.h"
#include "dialogs/organise_lists.h"
#include "platform.h"

class TOrganiseDialog : public TDialog {
public:
    // `clipboard` is the main window's clipboard page; `smartSet` keeps the
    // set at its one page.
    TOrganiseDialog(const TDialogHost& host, TPlatform& platform, TVantorManager& pages, TVantorPage& clipboard,
                    bool smartSet);

    HWND PageList() const { return Item(IDC_ORG_PAGES); }
    HWND EntryList() const { return Item(IDC_ORG_ENTRIES); }
    // Selects pages and fills the entry list at once, as the delayed refill
    // would; then selects entries of the page.
    void SelectPages(const TIndexList& pages);
    void SelectEntries(const TIndexList& entries);

    // The commands of the buttons, keys and double-clicks.
    void PageAdd();
    void PageChange();
    void PageDelete();
    void AddFolder();
    void Import();
    void EntryAdd();
    void EntrySeparator();
    void EntryChange();
    void EntryDelete();
    void EntryCut();
    void EntryCopy();
    void EntryPaste();
    void EntrySort();
    // What the folder browser and the open-file dialog would give.
    void AddFolderPage(const std::string& folder, bool recursive);
    void ImportFile(const std::string& fileName);
    // What a drop does: an entry onto another entry's place, a page onto
    // another page's place, the selected entries onto a page.
    void DropEntryOnEntry(int from, int to);
    void DropPageOnPage(int from, int to);
    void DropEntriesOnPage(int target);

protected:
    bool OnInit() override;
    bool OnCommand(int code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnClose(int result) override;

private:
    void UpdateCommands();
    void FillPages();
    void FillEntries();
    void RefreshEntry(int index);
    // The one selected page, or null.
    TVantorPage* SelectedPage();
    void ErrorBox(const std::string& text);
    bool ConfirmBox(const std::string& text);
    void ListKeyDown(int id, WORD key);
    // Dragging between and within the lists.
    void BeginDrag(HWND source);
    void DragMove();
    void EndDrag(bool drop);
    void DragScroll();
    // The list and item under the pointer; item -1 when over no item.
    HWND ListUnderPointer(int& item) const;
    bool AcceptsDrop(HWND target, int item) const;
    void SetDropHighlight(HWND list, int item);

    TDialogHost FHost;
    TPlatform& FPlatform;
    TVantorManager& FPages;
    TVantorPage& FClipboard;
    const bool FSmartSet;
    TImageList FImages;
    bool FFilling = false;
    HWND FDragSource = nullptr;
    HWND FHighlightList = nullptr;
    int FHighlightItem = -1;
};

// Runs the dialog over a page set; on Cancel the set is put back exactly as
// it was. True after OK.
bool EditPageSet(const TDialogHost& host, TPlatform& platform, TVantorManager& pages, TVantorPage& clipboard,
                 bool smartSet);
