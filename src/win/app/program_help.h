// The program's help: a help file of the program's own beside it when there
// is one (Vantor.chm, else Vantor.hlp as the older versions had), else the
// page of the manual ("manual\<page>.html" beside the program) in the user's
// browser. The help menu's トピックの検索 and every dialog's help button come
// here.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/desktop_services.h"
#include "base/help_viewer.h"

class TProgramHelp : public THelpViewer {
public:
    TProgramHelp(std::string programFolder, TDesktopServices& services)
        : FProgramFolder(std::move(programFolder)), FServices(services) {}

    std::string ShowHelp(HWND owner, const THelpTopic& topic) override;

private:
    const std::string FProgramFolder;  // with a trailing backslash
    TDesktopServices& FServices;
};

// The help of a program in `programFolder` (with a trailing backslash),
// started through `services`, which must outlive it.
std::shared_ptr<THelpViewer> ProgramHelp(const std::string& programFolder, TDesktopServices& services);
