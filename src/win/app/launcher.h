// Starting entries, as a service of the program: the click on an entry of any
// window, the shell calls, the history of starts and files dropped on a page
// or an entry. The main window, the bars, menus and hot keys all start
// entries through one TLauncher. What a start needs to know of its target
// (there, a folder, its shell item) comes from the target probe: at once when
// it was learnt a moment ago, else when the probe answers; a target whose
// drive does not answer in time goes to the shell unchecked, which reports a
// missing one itself.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/desktop_services.h"
#include "document/entry_ref.h"
#include "model/vantor_classes.h"
#include "shell/target_probe.h"

// What the launcher needs of the program around it.
class TLaunchHost {
public:
    virtual ~TLaunchHost() = default;
    virtual HWND LaunchOwner() = 0;
    // The main set, which carries the settings.
    virtual TVantorManager& LaunchSettings() = 0;
    // The set shown by a window; null for the resource bar.
    virtual TVantorManager* LaunchPages(TBarKind kind) = 0;
    virtual void LaunchErrorBox(const std::string& text) = 0;
    virtual bool LaunchConfirmBox(const std::string& text) = 0;
    virtual void LaunchSound(const std::string& event) = 0;
    // Free system, USER and GDI resources in percent, added up.
    virtual int32_t LaunchFreeResources() = 0;
    // An entry of the main window was started: the focus frame follows it.
    virtual void EntryStarted(TBarKind owner, int32_t tag) = 0;
    // Entries were added to the page a window shows, or the history changed.
    virtual void PageChanged(TBarKind kind) = 0;
};

class TLauncher {
public:
    TLauncher(TLaunchHost& host, TTargetProbe& probe, TDesktopServices& services)
        : FHost(host), FProbe(probe), FServices(services) {}

    // A click on entry `tag` of the current page of a window's set.
    void LaunchButton(TBarKind owner, int32_t tag);
    void Execute(const std::string& target, const std::string& parameters, int showCmd, const std::string& directory);
    void ExecuteItem(LPCITEMIDLIST item, const std::string& parameters, int showCmd, const std::string& directory);
    void AddToHistory(const TVantorButton& entry);
    // `entryIndex` is the position of the entry control under the drop point
    // in `page`, or -1 when the files fell on no entry.
    void DropFilesOnPage(const std::vector<std::string>& files, int32_t entryIndex, TBarKind target, TVantorPage& page);
    // Opens the target when it is a folder, else its folder.
    void OpenThisFolder(const std::string& target);

private:
    // One start waiting for what the probe says of its target.
    struct TStart {
        std::string Target;
        TSharedIDList Item;  // the shell item asked for, when the start came with one
        std::string Parameters;
        int ShowCmd;
        std::string Directory;
    };
    void Start(TStart start);
    void StartAs(const TStart& start, const TTargetAnswer& answer);
    void StartFolder(const std::string& path, int showCmd);
    void DropOnProgram(const TVantorButton& entry, const std::vector<std::string>& files);
    void DropInFolder(const std::string& folder, const std::vector<std::string>& files);

    TLaunchHost& FHost;
    TTargetProbe& FProbe;
    TDesktopServices& FServices;
};
