// A container window that paints nothing by itself: its owner paints every
// pixel in OnPaint (so the background is never erased and nothing flickers),
// then the windowless controls it holds paint over that. The drop variant
// also takes files dragged from the shell.
#pragma once

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/graphic_control.h"
#include "controls/win_control.h"

class TPaintPanel : public TWinControl, public TDragSite, public TDragWindow {
public:
    TPaintPanel() : TWinControl(TBounds{0, 0, 105, 105}) {}
    ~TPaintPanel() override;

    // A visible child window of `parent`.
    bool Create(HWND parent, const TBounds& bounds);

    // Erase with the button face before OnPaint; off, the owner covers everything.
    bool AutoClear = false;
    // The palette the panel asks for; none unless set.
    HPALETTE Palette = nullptr;

    // The windowless controls on the panel (entry buttons, separators).
    TGraphicControlHost& Controls() { return FControls; }

    // Asks for a repaint of a client rectangle (the whole panel for null), without erasing.
    void Invalidate(const RECT* r = nullptr);
    // Paints the invalid parts now.
    void Update();

    // Paints into `dc` (double-buffered) inside `clip`, in client coordinates.
    std::function<void(TPaintPanel& sender, HDC dc, const RECT& clip)> OnPaint;

    TComponent& SiteComponent() override { return *this; }
    // A windowless control at the point is the site; elsewhere the panel.
    TDragSite* DragSiteAt(POINT& at) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    TGraphicControlHost* WindowlessControls() override { return &FControls; }
    virtual void Created() {}

private:
    void Paint(HDC target, const RECT& clip);

    TGraphicControlHost FControls;
};

// Files dropped from the shell: their names (code page 932, in the order the
// shell gives them) and the drop point in panel coordinates.
using TDropFileEvent = std::function<void(TPaintPanel& sender, const std::vector<std::string>& files, POINT at)>;

class TDropPaintPanel : public TPaintPanel {
public:
    ~TDropPaintPanel() override { DestroyHandle(); }
    bool EnableDrop() const { return FEnableDrop; }
    // Registers or unregisters the panel as a target of the shell's file drops.
    void SetEnableDrop(bool enable);
    TDropFileEvent OnDropFile;
    // Dropped files that code page 932 cannot name, not even by a short
    // name, as far as it can spell them: they are left out of OnDropFile.
    // Unset, the panel tells the user itself.
    std::function<void(TPaintPanel& sender, const std::vector<std::string>& names)> OnDropUnnamed;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Created() override;

private:
    bool FEnableDrop = false;
};

// The names of a shell file drop, whole whatever their length; a name code
// page 932 cannot spell comes as its short name. Names that cannot be given
// either way are left out and, spelled with '?', added to `unnamed`.
std::vector<std::string> DroppedFileNames(HDROP drop, std::vector<std::string>* unnamed = nullptr);

extern const char UnnamedDropMessage[];
