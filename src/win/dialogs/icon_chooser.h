// The icon chooser: the icons inside one file, captioned with their index.
#pragma once

#include <string>

#include "base/dialog.h"
#include "dialogs/organise_ids.h"
#include "dialogs/organise_lists.h"

class TIconChooserDialog : public TDialog {
public:
    explicit TIconChooserDialog(std::string file) : TDialog(IDD_ICON_CHOOSER), File(std::move(file)) {}

    const std::string File;
    int Chosen = -1;  // the chosen icon's index after OK

    // How many icons the file holds; 0 for none or a file that is no icon source.
    int IconCount() const;

protected:
    bool OnInit() override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;
    bool OnOK() override;

private:
    TImageList FImages;
};
