#include "dialogs/run_with_arguments.h"

#include "dialogs/settings_ids.h"

TRunWithArgumentsDialog::TRunWithArgumentsDialog() : TDialog(IDD_RUN_WITH_ARGUMENTS) {
    HelpTopic = HelpTopicOf(THelpWindow::RunWithArguments);
}

bool TRunWithArgumentsDialog::OnInit() {
    // Laid out in pixels, to the dialog's own size.
    SetClientSize(385, 111);
    SetItemBounds(IDC_RUN_GROUP, 8, 4, 369, 66);
    SetItemBounds(IDC_RUN_LABEL, 16, 22, 200, 16);
    SetItemBounds(IDC_RUN_ARGUMENTS, 16, 40, 353, 200);  // the height takes the drop-down list
    SetItemBounds(IDOK, 134, 78, 75, 25);
    SetItemBounds(IDCANCEL, 214, 78, 75, 25);
    SetItemBounds(IDHELP, 294, 78, 75, 25);
    ComboSetItems(IDC_RUN_ARGUMENTS, History);
    SetItemText(IDC_RUN_ARGUMENTS, Arguments);
    return true;
}

bool TRunWithArgumentsDialog::OnOK() {
    Arguments = ItemText(IDC_RUN_ARGUMENTS);
    return true;
}

bool RunWithArgumentsDialog(const TDialogHost& host, std::string& arguments, const std::vector<std::string>& history) {
    TRunWithArgumentsDialog dialog;
    host.Prepare(dialog, HelpTopicOf(THelpWindow::RunWithArguments));
    dialog.History = history;
    dialog.Arguments = arguments;
    if (host.Run(dialog) != IDOK) return false;
    arguments = dialog.Arguments;
    return true;
}
