#include "app/desktop_hooks.h"

#include <algorithm>

#include "app/vantor.h"
#include "base/modal_gate.h"
#include "base/monitors.h"
#include "base/win_text.h"
#include "layout/full_screen.h"
#include "text/text.h"

namespace {

const char kUnnamedDrop[] = "\"%s\"は名前に扱えない文字が含まれているため、登録できません。";

// The hooks watching the foreground, for the callback that gets no context.
std::vector<std::pair<HWINEVENTHOOK, TDesktopHooks*>>& ForegroundWatchers() {
    static std::vector<std::pair<HWINEVENTHOOK, TDesktopHooks*>> watchers;
    return watchers;
}

}  // namespace

TDesktopHooks::TDesktopHooks(TVantor& vantor) : FVantor(vantor) {
    FKeys.OnHotKey = [this](int32_t action) { ExecuteAction(action); };
    FKeys.OnShortCut = [this](int32_t action) { return FVantor.Commands().Run(action); };
    FDropFile.OnDropFile = [this](TDropFile&, const std::vector<std::string>& files, int x, int y) {
        DropFileDropFile(files, x, y);
    };
    FDropFile.OnDropUnnamed = [this](TDropFile&, const std::vector<std::string>& names) {
        for (const std::string& name : names) FVantor.ErrorBox(Format(kUnnamedDrop, name));
    };
}

// A hot key or a screen corner: the window comes out of hiding at once and to
// the front, then the action runs; never two at once. Under an open box,
// dialog or menu nothing runs: the open window comes to the front instead.
void TDesktopHooks::ExecuteAction(int32_t index) {
    if (ModalGate().Held()) {
        TModalUi::BringModalWindowForward();
        return;
    }
    FVantor.Commands().Execute(index, [this] {
        FVantor.ShowWindowNow(true);
        TVantor::BringToFront(FVantor.Handle());
        // A hot key grants the foreground: the keyboard comes along, and the
        // window does not slide away again as one the user left.
        SetForegroundWindow(FVantor.Handle());
    });
}

TDesktopHooks::~TDesktopHooks() { WatchForeground(false); }

void TDesktopHooks::AttachDrops(HWND entryArea) { FDropFile.SetControl(entryArea); }

void TDesktopHooks::ApplyKeyDefinitions() { FKeys.Apply(FVantor.MainPages().ShortCuts); }

// Made when first asked for: its hidden window is a top-level one, which
// costs a noticeable moment of the start-up under Wine.
TStatusIcon& TDesktopHooks::StatusIcon() {
    if (!FStatusIcon) {
        FStatusIcon = std::make_unique<TStatusIcon>();
        FStatusIcon->SetHint("Vantor");
        FStatusIcon->OnMouseDown = [this](TComponent&, TMouseButton button, TShiftState, int, int) {
            StatusIconMouseDown(button);
        };
    }
    return *FStatusIcon;
}

void TDesktopHooks::ShowIcon(bool visible) {
    TStatusIcon& icon = StatusIcon();
    icon.SetVisible(visible);
    if (!FIconLoaded) {
        FIconLoaded = true;
        icon.Loaded();
    }
}

// Only the right button acts: over an open dialog, message box or menu the
// icon brings that to the front, else the main menu pops up at the pointer.
void TDesktopHooks::StatusIconMouseDown(TMouseButton button) {
    if (button != mbRight) return;
    if (ModalGate().Held()) {
        TModalUi::BringModalWindowForward();
        return;
    }
    FVantor.BringToFront(FVantor.Handle());
    POINT at{};
    GetCursorPos(&at);
    FVantor.MainMenu.Popup(FVantor.Handle(), at);
}

// The drop point is in the entry area's coordinates; the entry under it is
// looked up on the panel, which scrolls inside it.
void TDesktopHooks::DropFileDropFile(const std::vector<std::string>& files, int x, int y) {
    TVantorManager& pages = FVantor.MainPages();
    if (pages.CurrentPage() < 0 || pages.CurrentPage() >= pages.Count()) return;
    POINT at{x, y};
    MapWindowPoints(FVantor.ScrollBox.Handle(), FVantor.PTexture.Handle(), &at, 1);
    const int32_t entry = FVantor.MainView().EntryControlAt(at.x, at.y);
    FVantor.Launcher().DropFilesOnPage(files, entry, TBarKind::Main, *pages.Pages(pages.CurrentPage()));
}

namespace {

bool FullScreenInFront(HWND launcher) {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return false;
    TForegroundWindow f;
    RECT r{};
    GetWindowRect(foreground, &r);
    f.Window = TRect{r.left, r.top, r.right, r.bottom};
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    f.OwnProgram = process == GetCurrentProcessId();
    HMONITOR monitor = MonitorFromWindow(foreground, MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return false;
    f.Monitor = TRect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    f.OnLaunchersMonitor = MonitorFromWindow(launcher, MONITOR_DEFAULTTONEAREST) == monitor;
    wchar_t name[256] = {};
    GetClassNameW(foreground, name, 256);
    f.ClassName = Narrow(name);
    return IsFullScreenForeground(f);
}

}  // namespace

bool TDesktopHooks::KeepQuiet() {
    const bool quiet = FVantor.MainPages().QuietOverFullScreen && FullScreenInFront(FVantor.Handle());
    if (quiet != FQuiet) {
        FQuiet = quiet;
        // Out of the topmost layer while the program in front fills the
        // screen, so not even the hidden window's sliver shows over it.
        if (quiet || !ModalGate().BoxOrDialogOpen())
            SetWindowPos(FVantor.Handle(), quiet ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
    return quiet;
}

void TDesktopHooks::WatchForeground(bool watch) {
    if (watch == static_cast<bool>(FForegroundHook)) return;
    auto& watchers = ForegroundWatchers();
    if (!watch) {
        watchers.erase(
            std::remove_if(watchers.begin(), watchers.end(), [this](const auto& w) { return w.second == this; }),
            watchers.end());
        FForegroundHook.Reset();
        return;
    }
    // Out of context: the system posts the event to this thread's queue.
    FForegroundHook.Reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &ForegroundEvent,
                                          0, 0, WINEVENT_OUTOFCONTEXT));
    if (FForegroundHook) watchers.emplace_back(FForegroundHook.Get(), this);
}

void CALLBACK TDesktopHooks::ForegroundEvent(HWINEVENTHOOK hook, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    for (const auto& [h, watcher] : ForegroundWatchers()) {
        if (h != hook) continue;
        if (watcher->OnForegroundChanged) watcher->OnForegroundChanged();
        return;
    }
}

bool TDesktopHooks::CornersWatched() const {
    const TVantorManager& settings = FVantor.MainPages();
    std::array<int32_t, CornerCount> calls{};
    for (int32_t i = 0; i < CornerCount; ++i) calls[static_cast<size_t>(i)] = settings.CornerCall(i);
    return AnyCornerAction(calls);
}

void TDesktopHooks::CornerTick(POINT pointer, uint32_t now) {
    const TVantorManager& settings = FVantor.MainPages();
    TCornerInput input;
    // The corners of the monitor the pointer is on: with several monitors
    // the far ones are where the pointer comes to rest.
    const TRect monitor = MonitorOfPoint(pointer).Area;
    input.X = pointer.x - monitor.Left;
    input.Y = pointer.y - monitor.Top;
    input.Width = monitor.Width();
    input.Height = monitor.Height();
    input.Now = now;
    for (int32_t i = 0; i < CornerCount; ++i) input.CornerCall[i] = settings.CornerCall(i);
    input.CornerPause = settings.CornerPause();
    const int32_t action = ::CornerTick(FCorner, input);
    if (action < 0) return;
    ExecuteAction(action);
    CornerActionFinished(FCorner, GetTickCount());
}

bool TDesktopHooks::TranslateShortCut(const MSG& msg) { return FKeys.TranslateShortCut(msg, FVantor.Handle()); }
