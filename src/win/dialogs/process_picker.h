// The process picker: the programs running now, one of which can become an
// entry's target.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/dialog.h"
#include "dialogs/organise_ids.h"
#include "dialogs/properties.h"

class TProcessPickerDialog : public TDialog {
public:
    explicit TProcessPickerDialog(bool isNT) : TDialog(IDD_PROCESS_PICKER), FIsNT(isNT) {}

    std::optional<TProgramItem> Chosen;  // after OK

    // The executable paths of the running processes; empty when no snapshot
    // can be taken.
    static std::vector<std::string> RunningPrograms(bool isNT);
    const std::vector<TProgramItem>& Items() const { return FItems; }

protected:
    bool OnInit() override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
    bool OnOK() override;

private:
    bool FIsNT;
    std::vector<TProgramItem> FItems;
};
