// What starting entries needs of the program around it, given by the main
// window's parts: its handle and boxes, the document's sets and settings,
// the sounds, the resource figures and the focus frame that follows a start.
#pragma once

#include "app/launcher.h"

class TVantor;

class TMainLaunchHost : public TLaunchHost {
public:
    explicit TMainLaunchHost(TVantor& vantor) : FVantor(vantor) {}

    HWND LaunchOwner() override;
    TVantorManager& LaunchSettings() override;
    TVantorManager* LaunchPages(TBarKind kind) override;
    void LaunchErrorBox(const std::string& text) override;
    bool LaunchConfirmBox(const std::string& text) override;
    void LaunchSound(const std::string& event) override;
    // Free system, USER and GDI resources in percent, added up; the NT
    // family has no such limits.
    int32_t LaunchFreeResources() override;
    void EntryStarted(TBarKind owner, int32_t tag) override;
    void PageChanged(TBarKind kind) override;

private:
    TVantor& FVantor;
};
