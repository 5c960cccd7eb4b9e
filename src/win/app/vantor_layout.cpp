// The frame of the main window and the current page inside it: creating the
// controls and their pools, placing them on every resize, binding the pooled
// entry controls to the current page, and the tab strip.
#include <algorithm>

#include "app/vantor.h"
#include "base/menu_images.h"
#include "base/wait_cursor.h"
#include "base/win_text.h"
#include "layout/tab_geometry.h"
#include "text/text.h"

namespace {

constexpr int kIconCacheSize = 256;
const TBounds kInitialBounds{0, 0, 100, 100};

HCURSOR SplitterCursor(TSplitterCursor cursor) {
    switch (cursor) {
        case TSplitterCursor::VSplit:
            return LoadCursor(nullptr, IDC_SIZENS);
        case TSplitterCursor::HSplit:
            return LoadCursor(nullptr, IDC_SIZEWE);
        default:
            return nullptr;
    }
}

}  // namespace

// ---------------------------------------------------------------- creation

// The scroll box with its panel, the tab strip, its splitter and the system
// buttons; the entry pools follow later in the start-up.
void TVantor::CreateControls() {
    ScrollBox.SetTabStop(true);
    ScrollBox.Create(Handle(), kInitialBounds);
    PTexture.Create(ScrollBox.Handle(), kInitialBounds);
    ScrollBox.SetContent(PTexture.Handle());
    TabSet.Create(Handle(), kInitialBounds);
    ApplyTabSetMetrics();
    TabSet.SetVertical(false);
    Splitter.SetKind(skSpace);
    Splitter.SetBounds(ParkedBounds);
    Controls().Add(Splitter);
    // Their commands come with the system-button work; until then they only
    // take their places in the caption strip, with their pictures.
    for (int id = 0; id < sbCount; ++id) {
        TIconButton& b = SystemButtons[id];
        b.Tag = id;
        b.SetLargeIcon(false);
        b.SetButtonStyle(isFlat);
        b.SetTransparent(true);  // the caption strip shows through
        b.SetBounds(ParkedBounds);
        Controls().Add(b);
    }
    // One hot-tracked button at a time across the window.
    PTexture.Controls().ShareHotTimer(Controls());
    TabSet.Controls().ShareHotTimer(Controls());
    ConnectEvents();
}

// The tab strip's fixed sizes at the window's DPI.
void TVantor::ApplyTabSetMetrics() {
    TabSet.SetLeftMargin(Px(2));
    TabSet.SetRightMargin(Px(2));
    TabSet.SetArrowLength(Px(TabArrowLength));
    TabSet.SetTabWidth(Px(20));
}

void TVantor::CreateEntryPools() {
    FIconCache.SetCacheSize(kIconCacheSize);
    FMainView.CreatePools(PTexture.Controls(), FIconCache, [this] { return CurrentMainPage(); });
    for (int i = 0; i < BarSeparatorCount; ++i) {
        auto separator = std::make_unique<TSeparator>();
        separator->Tag = i;
        separator->SetKind(skHorizonal);
        separator->SetBounds(ParkedBounds);
        Controls().Add(*separator);
        FBarSeparators[i] = std::move(separator);
    }
    FEntryDrag.ConnectMainView();
}

void TVantor::ConnectEvents() {
    // The window's own background drags it like the panel's.
    for (TMouseEvents* events : {static_cast<TMouseEvents*>(this), static_cast<TMouseEvents*>(&PTexture)}) {
        events->OnMouseDown = [this](TComponent& sender, TMouseButton button, TShiftState shift, int x, int y) {
            FormMouseDown(&sender, button, shift, x, y);
        };
        events->OnMouseMove = [this](TComponent& sender, TShiftState shift, int x, int y) {
            FormMouseMove(&sender, shift, x, y);
        };
        events->OnMouseUp = [this](TComponent& sender, TMouseButton button, TShiftState shift, int x, int y) {
            FormMouseUp(&sender, button, shift, x, y);
        };
    }
    PTexture.OnPaint = [this](TPaintPanel&, HDC dc, const RECT& clip) { PTexturePaint(dc, clip); };
    TabSet.OnChange = [this](TComponent&) { TabSetChange(); };
    // From a press on the strip to its release, page switches are the user's.
    TabSet.OnMouseDown = [this](TComponent&, TMouseButton button, TShiftState, int x, int y) {
        if (button == mbLeft) FUserPageSwitch = true;
        FEntryDrag.TabSetMouseDown(button, x, y);
    };
    // A right click on the strip puts away an entry's title still showing.
    TabSet.OnMouseUp = [this](TComponent&, TMouseButton button, TShiftState, int, int) {
        FUserPageSwitch = false;
        if (button == mbRight) FHints.HideTitle();
    };
    ConnectKeyEvents();
    FEntryDrag.ConnectFrame();
}

// ---------------------------------------------------------------- frame

TBounds TVantor::CaptionStripNow() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int side = ResolveCaptionSide(FDocument.Main().TitleBarLayout(), FDockEdge);
    return CaptionStripBounds(side, client.right, client.bottom, FDocument.Main().CaptionWidth(), FDpi);
}

void TVantor::InvalidateCaptionStrip() {
    const TBounds strip = CaptionStripNow();
    if (strip.Width <= 0 || strip.Height <= 0) return;
    const RECT r{strip.Left, strip.Top, strip.Right(), strip.Bottom()};
    InvalidateRect(Handle(), &r, FALSE);
}

void TVantor::FormResize() {
    if (!PoolsExist()) return;
    // Snapped first: a snap that changes the size comes back here through
    // WM_SIZE and lays the window out at the size it ends with, so this one
    // has nothing left to do.
    const unsigned generation = ++FResizeGeneration;
    Resnap();
    if (generation != FResizeGeneration) return;
    TVantorManager& settings = MainPages();
    RECT client{};
    GetClientRect(Handle(), &client);
    TFrameLayoutInput in;
    in.ClientWidth = client.right;
    in.ClientHeight = client.bottom;
    in.CaptionWidth = settings.CaptionWidth();
    in.TitleBarLayout = settings.TitleBarLayout();
    in.PageTabLayout = settings.PageTabLayout();
    in.DockEdge = FDockEdge;
    in.SystemButtonLayout = settings.SystemButtonLayout();
    in.TabSetHeight = settings.TabSetHeight();
    in.HorizontalTab = settings.HorizontalTab;
    const TVisibleButtons& v = settings.VisibleButtons;
    in.VisibleButtons = {v.StopAutoRun, v.OpenFolder, v.ScreenSaver, v.Shutdown, v.Reboot};
    in.DockedBarCount = FBars.DockedCount();
    in.Dpi = FDpi;
    const TFrameLayout f = ComputeFrameLayout(in);

    settings.SetTabSetHeight(f.TabSetHeight);
    if (f.PlaceTabSet) {
        TabSet.SetPosition(f.TabPosition);
        TabSet.SetBounds(f.TabSet);
        Splitter.SetBounds(f.Splitter);
        Splitter.Cursor = SplitterCursor(f.SplitterCursor);
    }
    for (int id = 0; id < sbCount; ++id) SystemButtons[id].SetBounds(f.SystemButtons[id]);
    ScrollBox.SetBounds(f.ScrollBox);
    for (int i = 0; i < BarSeparatorCount; ++i) FBarSeparators[i]->SetBounds(f.BarSeparators[i]);
    FBars.PlaceDocked(f);
    const TVantorPage* page = CurrentMainPage();
    LayoutPage(page && page->ViewStyle == 5);
    InvalidateCaptionStrip();
}

// ---------------------------------------------------------------- page

TVantorPage* TVantor::CurrentMainPage() const {
    const int32_t current = FDocument.Main().CurrentPage();
    if (current < 0 || current >= FDocument.Main().Count()) return nullptr;
    return FDocument.Main().Pages(current);
}

void TVantor::LayoutPage(bool forceRepaint) {
    if (!PoolsExist()) return;
    const TBounds box = ScrollBox.Bounds();  // the whole width, with or without the bar
    const TTitleMeasure measure(PTexture.Handle(), FWindowFont.Get());
    TPageLayoutInput in;
    in.ClientWidth = box.Width;
    in.ClientHeight = box.Height;
    in.ScrollBarWidth = VerticalScrollBarWidth();
    in.ForceRepaint = forceRepaint;
    in.Dpi = FDpi;
    in.TextWidth = [&measure](std::string_view text) { return measure.Width(text); };
    const TPageLayout out = FMainView.LayoutAsPage(in);

    ScrollBox.SetVertRange(out.ScrollRange);
    ScrollBox.SetScrollBarStyle(static_cast<TScrollBarStyle>(MainPages().ScrollStyle()));
    ScrollBox.SetSmooth(MainPages().SmoothScroll);
    PlaceFocusFrame(false);
    if (out.RepaintTexture) PTexture.Invalidate();
}

// The entry under a pointer left where it was (a page changed by a key or
// the wheel) may be another one afterwards: it leaves and is entered again,
// so that its look, its title and its guide follow.
void TVantor::RebuildPage() {
    if (!PoolsExist()) return;
    TWaitCursor wait;
    PTexture.Controls().ChangeUnderPointer([this] {
        // One repaint request for the whole re-bind and layout.
        TGraphicControlHost::TBatch batch(PTexture.Controls());
        FMainView.Rebind(MainPages().ButtonStyle());
        // During start-up the window has no size yet: the resize that ends it
        // lays the page out once, at the size it is shown at.
        if (FStarted) LayoutPage(true);
    });
    FBars.RefreshAll();
}

// ---------------------------------------------------------------- tabs

void TVantor::TabSetChange() {
    if (FQuietTabChange) return;
    MainPages().SetCurrentPage(TabSet.TabIndex());
    RebuildPage();
    if (IsWindowVisible(Handle()) && FUserPageSwitch) PlaySoundEvent("ClickPage");
}

void TVantor::SelectTabQuietly(int index) {
    FQuietTabChange = true;
    TabSet.SetTabIndex(index);
    FQuietTabChange = false;
}

void TVantor::RefreshTabsAndFonts() {
    const TVantorManager& settings = MainPages();
    FColors = settings.CustomColor ? settings.Colors : DefaultColors;
    TabSet.SetVertical(!settings.HorizontalTab);
    TabSet.SetMaxTabWidth(Px(settings.MaxTabWidth()));
    TabSet.SetMinTabWidth(Px(settings.MinTabWidth()));
    TabSet.SetTextColor(FColors[TVantorSettings::TextColor]);
    TabSet.SetSelectedColor(FColors[TVantorSettings::SelectedTabColor]);
    TabSet.SetUnselectedColor(FColors[TVantorSettings::UnselectedTabColor]);
    ApplyWindowFont();
    TabSet.SetFont(FWindowLogFont);

    const int previous = TabSet.TabIndex();
    std::vector<std::string> captions;
    for (int32_t i = 0; i < settings.Count(); ++i) captions.push_back(settings.Pages(i)->Caption);
    TabSet.Tabs().Clear();
    TabSet.Tabs().AddStrings(captions);
    TabSet.SetTabIndex(std::clamp(previous, 0, std::max(TabSet.Tabs().Count() - 1, 0)));
    PTexture.Invalidate();
}

void TVantor::ApplyScrollButtonStyle() {
    const TScrollButtonFlags flags = ScrollButtonFlagsForStyle(MainPages().ScrollButtonStyle());
    TabSet.SetAutoScroll(flags.AutoScroll);
    TabSet.SetAutoRepeat(flags.AutoRepeat);
    FBars.ApplyScrollButtonStyle(MainPages().ScrollButtonStyle());
}
