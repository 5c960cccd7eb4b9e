#include "app/main_bar_host.h"

#include "app/vantor.h"

namespace {

class TMainBarHost : public TBarHost {
public:
    explicit TMainBarHost(TVantor& vantor) : FVantor(vantor) {}

    HWND MainWindow() override { return FVantor.Handle(); }
    bool MainWindowStarted() override { return FVantor.Started(); }
    void LayoutMainWindow() override { FVantor.FormResize(); }
    void BringMainWindowToFront() override { FVantor.BringToFront(FVantor.Handle()); }
    void PaintBackground(HDC dc, const RECT& rect) override { FVantor.PaintBackground(dc, rect); }
    TLauncherButtonCache& IconCache() override { return FVantor.IconCache(); }
    void ConnectEntryView(TEntryView& view, TEntryWindow window) override {
        FVantor.EntryDrag().ConnectEntryView(view, window);
    }
    void DropFilesOnPage(const std::vector<std::string>& files, int32_t entry, TBarKind set,
                         TVantorPage& page) override {
        FVantor.Launcher().DropFilesOnPage(files, entry, set, page);
    }
    void PopupMainMenu(HWND owner, POINT at) override { FVantor.MainMenu.Popup(owner, at); }
    void PlaySoundEvent(const std::string& event) override { FVantor.PlaySoundEvent(event); }
    void BarDragMoved() override { FVantor.Hider().Wake(); }
    bool IsNT() override { return FVantor.IsNT; }

private:
    TVantor& FVantor;
};

}  // namespace

std::unique_ptr<TBarHost> MainBarHost(TVantor& vantor) { return std::make_unique<TMainBarHost>(vantor); }
