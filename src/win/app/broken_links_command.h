// The main menu's look for broken entries: every entry of the main window,
// the smart bar and the history is looked at on a worker, then the ones whose
// target is gone are listed for the user to link anew or delete.
#pragma once

#include <set>
#include <string>

#include "shell/link_checker.h"

class TVantor;

class TBrokenLinksCommand {
public:
    explicit TBrokenLinksCommand(TVantor& vantor) : FVantor(vantor) {}

    // Starts a look; nothing while one runs.
    void Run();
    bool Running() const { return FChecker.Running(); }
    // The targets the last look found gone (lower-cased), for the buttons' mark.
    bool KnownBroken(const std::string& target) const;

private:
    void Finished(std::vector<TLinkCheck> broken);
    TVantorManager* SetOf(int32_t index);

    TVantor& FVantor;
    TLinkChecker FChecker;
    std::set<std::string> FBroken;
};
