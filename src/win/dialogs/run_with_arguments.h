// "引数を指定して実行": the arguments to start an entry with once, with
// those used before while the program runs on offer. The command around it
// (which entry, the start, the history) is TEditingCommands::ExecuteWithArg;
// this is its AskArguments.
#pragma once

#include <string>
#include <vector>

#include "base/dialog.h"
#include "dialogs/organise_host.h"

class TRunWithArgumentsDialog : public TDialog {
public:
    TRunWithArgumentsDialog();
    // In: the list offered and the text shown. Out on OK: the text.
    std::vector<std::string> History;
    std::string Arguments;

protected:
    bool OnInit() override;
    bool OnOK() override;
};

// Runs the dialog over the main window with `arguments` shown and `history`
// offered; on OK true with `arguments` as typed (possibly empty).
bool RunWithArgumentsDialog(const TDialogHost& host, std::string& arguments, const std::vector<std::string>& history);
