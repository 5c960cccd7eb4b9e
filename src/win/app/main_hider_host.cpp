#include "app/main_hider_host.h"

#include "app/vantor.h"

namespace {

class TMainHiderHost : public TAutoHideHost {
public:
    explicit TMainHiderHost(TVantor& vantor) : FVantor(vantor) {}

    HWND HiderWindow() override { return FVantor.Handle(); }
    TDockEdge HiderEdge() override { return FVantor.DockEdge(); }
    int HiderPx(int units) override { return FVantor.Px(units); }
    const TVantorSettings& HiderSettings() override { return FVantor.MainPages(); }
    bool HiderStarted() override { return FVantor.Started(); }
    bool HiderPageExists() override { return FVantor.MainView().PoolsExist(); }
    HWND HiderEntryArea() override { return FVantor.ScrollBox.Handle(); }
    HWND HiderEntryPanel() override { return FVantor.PTexture.Handle(); }
    TNarrowTab& HiderTabs() override { return FVantor.TabSet; }
    void HiderOpenPage(int tab) override { FVantor.SelectPageByUser(tab); }
    void HiderHideTitle() override { FVantor.Hints().HideTitle(); }
    bool HiderBarActive() override { return FVantor.Bars().IsActiveForm(); }
    bool HiderBarOutlined() override { return FVantor.Bars().AnyOutlined(); }
    void HiderWithDesktopUnlocked(const std::function<void()>& step) override {
        FVantor.Bars().WithDesktopUnlocked(step);
    }

private:
    TVantor& FVantor;
};

}  // namespace

std::unique_ptr<TAutoHideHost> MainHiderHost(TVantor& vantor) { return std::make_unique<TMainHiderHost>(vantor); }
