// The page tab strip: one tab per page, drawn by the program, on any side of
// the page area, with scroll arrows at both ends. In Vertical mode every tab
// has the same narrow thickness along the strip and its caption is written
// across it; otherwise each tab is as long as its caption.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "controls/graphic_control.h"
#include "controls/scroll_button.h"
#include "controls/win_control.h"
#include "layout/tab_geometry.h"

class TNarrowTab;

// The captions of the tabs; every change lays the strip out and repaints it.
// Removing tabs does not move the selection.
class TNarrowTabStrings {
public:
    explicit TNarrowTabStrings(TNarrowTab& owner) : FOwner(owner) {}

    int Count() const { return static_cast<int>(FItems.size()); }
    // Out-of-range indexes read as empty and change nothing.
    std::string Get(int index) const;
    std::string operator[](int index) const { return Get(index); }
    void Put(int index, const std::string& text);
    void* GetObject(int index) const;
    void PutObject(int index, void* object);
    int Add(const std::string& text) { return AddObject(text, nullptr); }
    int AddObject(const std::string& text, void* object);
    void AddStrings(const std::vector<std::string>& texts);
    void Clear();
    void Delete(int index);
    void Exchange(int a, int b);
    // Ignoring case, as the string lists of the program compare.
    int IndexOf(const std::string& text) const;
    void Insert(int index, const std::string& text);
    void Move(int from, int to);

private:
    struct TItem {
        std::string Text;
        void* Object = nullptr;
    };
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    void Changed();

    TNarrowTab& FOwner;
    std::vector<TItem> FItems;
};

// Draws a tab's outline and fill for its side: open toward the page, with
// stepped corners on the far side. `r` is (left, top, right, bottom).
void DrawNarrowTabShape(HDC dc, TNarrowTabPosition position, const RECT& r, COLORREF tabColor);

class TNarrowTab : public TWinControl, public TDragSite, public TDragWindow {
public:
    TNarrowTab();  // 128 x 64
    ~TNarrowTab() override;

    // A visible child window of `parent`.
    bool Create(HWND parent, const TBounds& bounds);

    // Copied into both arrows.
    bool AutoRepeat() const { return FBack.AutoRepeat(); }
    void SetAutoRepeat(bool value);
    bool AutoScroll() const { return FBack.AutoScroll(); }
    void SetAutoScroll(bool value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value);
    int LeftMargin() const { return FGeometry.LeftMargin(); }
    void SetLeftMargin(int value);
    int RightMargin() const { return FGeometry.RightMargin(); }
    void SetRightMargin(int value);
    int MaxTabWidth() const { return FGeometry.MaxTabWidth(); }
    void SetMaxTabWidth(int value);
    int MinTabWidth() const { return FGeometry.MinTabWidth(); }
    void SetMinTabWidth(int value);
    int ArrowLength() const { return FGeometry.ArrowLength(); }
    void SetArrowLength(int value);
    TNarrowTabPosition Position() const { return FGeometry.Position(); }
    void SetPosition(TNarrowTabPosition position);
    int TabHeight() const { return FGeometry.TabHeight(); }
    void SetTabHeight(int value);
    int TabWidth() const { return FGeometry.TabWidth(); }
    void SetTabWidth(int value);
    bool Vertical() const { return FGeometry.Vertical(); }
    void SetVertical(bool value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor color);
    TColor UnselectedColor() const { return FUnselectedColor; }
    void SetUnselectedColor(TColor color);
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor color);

    // The control's font (lfHeight as the framework's Height: -12 asks for
    // 12-pixel characters). The captions use a rotated copy of it.
    const LOGFONTW& Font() const { return FFont; }
    void SetFont(const LOGFONTW& font);

    TNarrowTabStrings& Tabs() { return FTabs; }
    const TNarrowTabStrings& Tabs() const { return FTabs; }

    int TabIndex() const { return FGeometry.TabIndex(); }
    // Clamps, scrolls the tab into view, repaints the tabs concerned and
    // fires OnChange when the selection changed.
    void SetTabIndex(int index);
    int FirstVisible() const { return FGeometry.FirstVisible(); }
    void SetFirstVisible(int index);
    // Scrolls the least that shows the tab whole.
    void ScrollIntoView(int index);
    int VisibleCount() const { return FGeometry.VisibleCount(); }
    // The visible tab at a client point; -1 when none.
    int TabAtPos(int x, int y) const { return FGeometry.TabAtPos(x, y); }
    int HotIndex() const { return FHotIndex; }
    const TNarrowTabGeometry& Geometry() const { return FGeometry; }
    // What tab k shows: its caption, or as much of it as its tab holds
    // followed by "...".
    std::wstring ShownCaption(int k) const;
    // The arrows' host; share its hot-tracking timer with the other hosts.
    TGraphicControlHost& Controls() { return FControls; }
    TScrollButton& BackButton() { return FBack; }
    TScrollButton& ForwardButton() { return FForward; }
    bool MouseInside() const { return FMouseInside; }

    // Drags the strip through the program's drag and drop; fires OnEndDrag.
    TComponent* BeginDrag();
    TComponent& SiteComponent() override { return *this; }
    TDragSite* DragSiteAt(POINT& at) override;

    TNotifyEvent OnChange;
    TEndDragEvent OnEndDrag;

    // Lays out again after the captions changed (TNarrowTabStrings calls it).
    void TabsChanged();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void InitialBoundsChanged() override;
    void ClientResized(int width, int height) override;
    TGraphicControlHost* WindowlessControls() override { return &FControls; }
    // A left press selects the tab under it, after OnMouseDown.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    struct TPaintTools;

    void UpdateScroll();
    void PlaceArrows();
    void RebuildCanvasFont();
    void MeasureTabs();
    void RepaintTab(int k);
    void PaintNow(const RECT& clip);
    void PaintArea(HDC dc, const RECT& clip);
    void PaintStrip(HDC dc);
    void PaintPageEdge(HDC dc, const TPaintTools& tools, int from, int to) const;
    void PaintTab(HDC dc, const TPaintTools& tools, int k) const;
    void PaintHotLine(HDC dc, int k) const;
    // `dc` has the canvas font.
    std::wstring FittedCaption(HDC dc, int k) const;
    void Scroll(int delta);
    void MouseEntered();
    void MouseLeft();
    void MouseMoved(WPARAM wParam, int x, int y);

    TNarrowTabGeometry FGeometry;
    TNarrowTabStrings FTabs;
    TGraphicControlHost FControls;
    TScrollButton FBack;
    TScrollButton FForward;
    std::vector<int> FTextWidths;
    LOGFONTW FFont{};
    TFont FCanvasFont;
    int FCanvasFontHeight = 12;
    TColor FSelectedColor = clBtnFace;
    TColor FUnselectedColor = clBtnFace;
    TColor FTextColor = clBlack;
    bool FHotTrack = false;
    int FHotIndex = -1;
    bool FMouseInside = false;
    bool FLeaveTracked = false;
};
