// List views and image lists for the organise, icon and process dialogs.
// comctl32 is not linked (the loader would look for it in the program's
// folder first): its image-list functions are taken from the copy in the
// System folder, and list views are registered from there before a dialog
// that holds one is created.
#pragma once

#include <windows.h>
// After <windows.h>, which it builds on.
#include <commctrl.h>

#include <string>

#include "base/dialog.h"
#include "dialogs/organise.h"

// Registers the list-view class; false when comctl32 cannot be loaded.
bool LoadListViewControls();

// An image list the program made; destroyed with the object.
class TImageList {
public:
    TImageList() = default;
    ~TImageList();
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    bool Create(int width, int height, int initial);
    // A strip of images side by side with a key colour; false when it failed.
    bool AddStrip(HBITMAP strip, COLORREF key);
    int AddIcon(HICON icon);  // -1 when it failed
    HIMAGELIST Handle() const { return FHandle; }

private:
    HIMAGELIST FHandle = nullptr;
};

// Report-style list helpers (code page 932 text).
int ListCount(HWND list);
TIndexList ListSelection(HWND list);
// A pick list's notifications in a dialog: OK is enabled while something is
// selected, and a double click picks. True when the notification was one of them.
bool PickListNotify(TDialog& dialog, NMHDR& header);
void ListSelect(HWND list, int index, bool selected);
void ListSelectOnly(HWND list, const TIndexList& indices);
void ListSetItem(HWND list, int index, const std::string& text, int image);
void ListInsertItem(HWND list, int index, const std::string& text, int image);
// One column as wide as the list; the list's small images.
void ListPrepareOneColumn(HWND list, HIMAGELIST images);
// The item under a point in the list's client coordinates; -1 for none.
int ListItemAt(HWND list, POINT point);

// The open-file dialog: `filter` as "Text|*.ext|..." pairs, `filterIndex`
// from 1. The chosen file, or empty when none was chosen.
std::string AskOpenFile(HWND owner, const std::string& title, const std::string& filter, const std::string& initial,
                        int filterIndex, const std::string& defaultExt);
// The shell's folder browser for file-system folders; empty when none.
std::string AskFolder(HWND owner, const std::string& title);

// Gives every control of a dialog the Japanese dialog font. The dialog
// manager asks for the template's face with any character set, and where no
// font has that name (Wine under another locale) it falls back to one without
// Japanese glyphs; asked for by the Japanese character set, the system finds
// one that has them.
void UseJapaneseFont(HWND dialog);

// Gives the dialog its client size in pixels and moves every control by the
// same proportion. Dialog units follow the template font's metrics, which
// differ between systems (a missing face takes another's); the layout is
// meant in pixels (96-DPI ones, scaled to the dialog's DPI). Combo boxes keep
// room for their drop-down lists.
void PlaceInPixels(HWND dialog, int clientWidth, int clientHeight);
