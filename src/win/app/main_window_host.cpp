#include "app/main_window_host.h"

#include "app/program_help.h"
#include "app/vantor.h"

TDialogHost MainWindowHost(TVantor& vantor) {
    TDialogHost host;
    host.Run = [&vantor](TModalForm& form) { return vantor.RunModal(form); };
    host.Services = &vantor.Services();
    host.Help = ProgramHelp(vantor.ProgramFolder, vantor.Services());
    host.IsNT = vantor.IsNT;
    host.Probe = &vantor.Probe();
    return host;
}
