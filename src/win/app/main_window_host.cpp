#include "app/main_window_host.h"

#include "app/vantor.h"

TDialogHost MainWindowHost(TVantor& vantor) {
    TDialogHost host;
    host.Run = [&vantor](TModalForm& form) { return vantor.RunModal(form); };
    host.Services = &vantor.Services();
    host.HelpFile = vantor.ProgramFolder + "Vantor.hlp";
    host.IsNT = vantor.IsNT;
    host.Probe = &vantor.Probe();
    return host;
}
