// The main menu's look for broken entries: every entry of the main window,
// the smart bar and the history is looked at on a worker, then the ones whose
// target is gone are listed for the user to link anew or delete.
#pragma once

#include <set>
#include <string>

#include "document/entry_ref.h"
#include "shell/link_checker.h"

class TVantor;

class TBrokenLinksCommand {
public:
    explicit TBrokenLinksCommand(TVantor& vantor) : FVantor(vantor) {}
    ~TBrokenLinksCommand();
    TBrokenLinksCommand(const TBrokenLinksCommand&) = delete;
    TBrokenLinksCommand& operator=(const TBrokenLinksCommand&) = delete;

    // Starts a look; nothing while one runs or its answer waits.
    void Run();
    // A look runs, or its answer waits for the open box, dialog or menu to close.
    bool Running() const { return FChecker.Running() || FAnswerWaiting; }
    // The targets the last look found gone (lower-cased), for the buttons' mark.
    bool KnownBroken(const std::string& target) const;

private:
    void Finished(std::vector<TLinkCheck> broken);
    void ShowAnswer(std::vector<TLinkCheck> broken);
    TVantorManager* SetOf(int32_t index);
    // The set a look numbers 0, 1 and 2.
    static TBarKind KindOf(int32_t index);

    TVantor& FVantor;
    TLinkChecker FChecker;
    std::set<std::string> FBroken;
    bool FAnswerWaiting = false;
};
