// A pop-up menu that owns its HMENU and runs the command of the item chosen.
// Items are text with an optional shortcut shown at the right and an optional
// picture drawn by the menu's image list; submenus are menus of their own,
// filled when they are about to open (OnPopup). The menu runs modally at a
// screen point and returns once the item's command has run.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/handles.h"

// Draws the pictures of a menu's items, all of one square size.
class TMenuImageList {
public:
    virtual ~TMenuImageList() = default;
    virtual int ImageSize() const = 0;
    virtual void Draw(HDC dc, int index, int x, int y, bool enabled) const = 0;
};

// The program's menu image strip.
const TMenuImageList& MenuStripImages();
// The shell's small system icons (the images of shell items).
const TMenuImageList& SystemSmallIcons();

class TPopupMenu {
public:
    using TCommand = std::function<void()>;
    using TPopupEvent = std::function<void(TPopupMenu& menu)>;

    TPopupMenu();
    ~TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    HMENU Handle() const { return FHandle; }
    int Count() const { return GetMenuItemCount(FHandle); }

    // `caption` with "&" marking the mnemonic; `shortCut` is the key text
    // shown at the right (empty for none); `image` an index of the images
    // (-1 for none). Returns the item's position.
    int AddItem(const std::string& caption, const std::string& shortCut, TCommand command, int image = -1);
    // A submenu item; the submenu lives as long as its item.
    TPopupMenu& AddSubmenu(const std::string& caption, int image = -1);
    void AddSeparator();
    // Removes every item (and submenu) of this menu.
    void Clear();
    void SetEnabled(int position, bool enabled);
    void SetChecked(int position, bool checked);
    // The item starts a new column, with a line between the columns.
    void SetColumnBreak(int position);
    // The root's image list serves every submenu; null draws no pictures.
    void SetImages(const TMenuImageList* images) { Root().FImages = images; }
    // A submenu that shows pictures of another list (a shell folder inside a
    // menu of the program's pictures); its submenus made later inherit it.
    void SetOwnImages(const TMenuImageList* images) { FOwnImages = images; }
    // Items added to this menu from now on draw themselves: the picture in a
    // box that rises under the highlight, the caption and its key measured
    // in the menu font, so a long caption never runs into its key.
    void SetOwnerDrawn(bool ownerDrawn) { FOwnerDrawn = ownerDrawn; }

    // Runs as the menu is about to show (the system's WM_INITMENUPOPUP), each
    // time: the place to fill or refresh it.
    TPopupEvent OnPopup;
    // What WM_INITMENUPOPUP does for this menu.
    void InitPopup();

    // What an item shows, for the tests and for code that walks a menu.
    std::string Caption(int position) const;  // without the shortcut
    bool IsSeparator(int position) const;
    bool IsEnabled(int position) const;
    bool IsChecked(int position) const;
    bool IsColumnBreak(int position) const;
    int Image(int position) const;  // -1 for none
    TPopupMenu* Submenu(int position) const;
    UINT ItemId(int position) const { return GetMenuItemID(FHandle, position); }
    // The position of the first item with that caption, or -1.
    int Find(const std::string& caption) const;

    // Shows the menu at a screen point for `owner` (brought to the
    // foreground, so a click elsewhere closes the menu) and runs the chosen
    // item's command; false when nothing was chosen. The modal gate is held
    // while the menu is up, not while the command runs.
    bool Popup(HWND owner, POINT at);
    // Runs the command of an item's identifier, as a menu message names it.
    bool RunCommand(UINT id);

    // The menu messages of the owner window while this root menu is shown;
    // true when handled.
    bool HandleMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    explicit TPopupMenu(TPopupMenu& root);
    TPopupMenu& Root() { return *FRoot; }
    const TPopupMenu& Root() const { return *FRoot; }
    UINT NewId(TCommand command);
    void SetItemState(int position, UINT flag, bool on);
    void ReservePictureColumn();
    static TPopupMenu* MenuOf(HMENU handle);

    static constexpr UINT FirstId = 1;
    TPopupMenu* FRoot;
    TMenu FOwned;   // the root's handle; a submenu's belongs to its parent
    HMENU FHandle;  // this menu's handle
    std::vector<std::unique_ptr<TPopupMenu>> FSubmenus;
    // The root's: commands by identifier - FirstId, and the pictures.
    std::vector<TCommand> FCommands;
    const TMenuImageList* FImages = nullptr;
    const TMenuImageList* FOwnImages = nullptr;  // instead of the root's
    bool FOwnerDrawn = false;
    // The root's: what the self-drawn items show, by their item data.
    struct TDrawnItem {
        std::wstring Caption, ShortCut;
        int Image;
    };
    std::vector<TDrawnItem> FDrawn;
    void SetItemData(MENUITEMINFOW& item, const std::wstring& text, int image);
    const TDrawnItem* DrawnItem(ULONG_PTR data) const;
    void MeasureDrawn(MEASUREITEMSTRUCT& measure, const TDrawnItem& drawn) const;
    void DrawDrawn(const DRAWITEMSTRUCT& draw, const TDrawnItem& drawn, const TMenuImageList* images) const;
    LRESULT MenuChar(wchar_t key, HMENU menu) const;
};
