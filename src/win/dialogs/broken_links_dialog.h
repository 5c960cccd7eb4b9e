// The entries whose target is gone, by page and title: the user opens one's
// properties to link it anew, or deletes the chosen ones after a question.
#pragma once

#include <functional>
#include <vector>

#include "base/dialog.h"
#include "launch/broken_links.h"

class TBrokenLinksDialog : public TDialog {
public:
    TBrokenLinksDialog();

    // The entries listed; the dialog takes out the ones dealt with.
    std::vector<TLinkCheck> Broken;
    // Opens the properties of one listed entry; true when it changed.
    std::function<bool(const TLinkCheck& entry)> OnProperties;
    // Deletes the chosen entries (the question has been answered); returns
    // the ones it deleted.
    std::function<std::vector<TLinkCheck>(const std::vector<TLinkCheck>& chosen)> OnDelete;

    // The listed entries that are selected, in list order.
    std::vector<size_t> Selected() const;
    void Select(const std::vector<size_t>& rows);

protected:
    bool OnInit() override;
    bool OnCommand(int code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override;

private:
    void FillList();
    void UpdateButtons();
    void Properties();
    void Delete();
};
