// The two kinds of help that follow the pointer: an entry's title popping up
// beside its button where the view does not show it whole, and the guide
// texts sent to the separate hint viewer ("Hint.exe", window class
// "VantorHint") whenever the pointer enters an element of the program.
#pragma once

#include <windows.h>

#include <string>

#include "commands/guide_texts.h"
#include "commands/menu_rules.h"

class TComponent;
class TEntryView;
class TVantor;

// A small topmost window with one line of text; it never takes the focus
// nor the pointer.
class TExtHintWindow {
public:
    TExtHintWindow() = default;
    ~TExtHintWindow();
    TExtHintWindow(const TExtHintWindow&) = delete;
    TExtHintWindow& operator=(const TExtHintWindow&) = delete;

    // Style 0 shows nothing; 1 a black frame, 2 raised, 3 sunken, 4 a bump.
    // Shown at (x, y) on the screen, moved in where it would leave it.
    void ShowTitle(HWND owner, int x, int y, int style, const std::string& text, HFONT font);
    void HideTitle();
    // At the top of the topmost windows again, when showing.
    void BackOnTop();
    bool Showing() const { return FShowing; }
    HWND Handle() const { return FHandle; }
    const std::string& Text() const { return FText; }
    int Style() const { return FStyle; }

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

    HWND FHandle = nullptr;
    HFONT FFont = nullptr;
    std::string FText;
    POINT FAt{0, 0};
    int FStyle = 1;
    bool FShowing = false;
};

// Sends a guide text to the viewer, if it runs; an empty text clears it.
void SendHintText(HWND sender, const std::string& text);

class THints {
public:
    explicit THints(TVantor& vantor) : FVantor(vantor) {}

    // Wires the pointer's entering and leaving of the tab strip, the entry
    // area, the system buttons and the bars, once they exist.
    void Connect();
    // The bars' part, for bars created after the rest.
    void ConnectBars();
    // Every view's entries: their guide and, where hidden, their title.
    void ConnectView(TEntryView& view, TMenuOwner owner);
    // Before menus, message boxes and dialogs, and when the window goes.
    void HideTitle() { FTitle.HideTitle(); }
    // The program became active and raised its windows: a title showing
    // goes back over them.
    void TitleBackOnTop() { FTitle.BackOnTop(); }
    TExtHintWindow& TitleWindow() { return FTitle; }

private:
    // The guide while the pointer is over `element`, cleared when it leaves.
    template <typename TElement>
    void Wire(TElement& element, TGuide guide) {
        element.OnMouseEnter = [this, guide](TComponent&) { Guide(guide); };
        element.OnMouseExit = [this](TComponent&) { ClearGuide(); };
    }
    void Guide(TGuide guide);
    void ClearGuide();
    void EntryEnter(TEntryView& view, TMenuOwner owner, TComponent& control);
    void EntryLeave(TComponent& control);
    void SystemButtonEnter(TComponent& control, int id);

    TVantor& FVantor;
    TExtHintWindow FTitle;
    const TComponent* FHotControl = nullptr;
};
