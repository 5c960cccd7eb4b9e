#include "dialogs/run_with_arguments.h"

#include "app/vantor.h"
#include "dialogs/settings_ids.h"

namespace {
constexpr int kHelpTopic = 93;
}

TRunWithArgumentsDialog::TRunWithArgumentsDialog() : TDialog(IDD_RUN_WITH_ARGUMENTS) { HelpTopic = kHelpTopic; }

bool TRunWithArgumentsDialog::OnInit() {
    SetClientSize(385, 111);
    ComboSetItems(IDC_RUN_ARGUMENTS, History);
    SetItemText(IDC_RUN_ARGUMENTS, Arguments);
    return true;
}

bool TRunWithArgumentsDialog::OnOK() {
    Arguments = ItemText(IDC_RUN_ARGUMENTS);
    return true;
}

bool RunWithArgumentsDialog(TVantor& vantor, std::string& arguments, const std::vector<std::string>& history) {
    TRunWithArgumentsDialog dialog;
    dialog.Services = &vantor.Services();
    dialog.HelpFile = vantor.ProgramFolder + "Vantor.hlp";
    dialog.History = history;
    dialog.Arguments = arguments;
    if (vantor.RunModal(dialog) != IDOK) return false;
    arguments = dialog.Arguments;
    return true;
}
