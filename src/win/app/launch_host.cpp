#include "app/launch_host.h"

#include "app/vantor.h"

HWND TMainLaunchHost::LaunchOwner() { return FVantor.Handle(); }

TVantorManager& TMainLaunchHost::LaunchSettings() { return FVantor.MainPages(); }

TVantorManager* TMainLaunchHost::LaunchPages(TBarKind kind) { return FVantor.Document().SetOf(kind); }

void TMainLaunchHost::LaunchErrorBox(const std::string& text) { FVantor.ErrorBox(text); }

bool TMainLaunchHost::LaunchConfirmBox(const std::string& text) { return FVantor.ConfirmBox(text); }

void TMainLaunchHost::LaunchSound(const std::string& event) { FVantor.PlaySoundEvent(event); }

int32_t TMainLaunchHost::LaunchFreeResources() {
    // Nothing measured is nothing low: no warning on a made-up figure.
    if (!FVantor.IsNT && !FVantor.Bars().MeterAvailable()) return 300;
    const TResourceReadings r = FVantor.Bars().Readings(true);
    return r.System + r.User + r.Gdi;
}

void TMainLaunchHost::EntryStarted(TBarKind owner, int32_t tag) {
    if (owner != TBarKind::Main) return;
    FVantor.CurrentButton = tag;
    FVantor.PlaceFocusFrame(false);
}

// Entries were added to the page a window shows, or the history changed.
void TMainLaunchHost::PageChanged(TBarKind kind) {
    TDocument& document = FVantor.Document();
    document.Changed(TChange::WholePage(document.CurrentPage(kind)));
}
