// Finding the entries whose target is gone: which entries of the page sets
// are worth a look, what the look found, and removing the ones the user
// chose. The looking itself is the window side's (off the user-interface
// thread, with a bounded wait for network and removable drives).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/vantor_classes.h"

// One entry to look at, and where it sits.
struct TLinkCheck {
    int32_t Set = 0;  // index in the list of sets given
    int32_t Page = 0;
    int32_t Index = 0;
    std::string PageCaption;
    std::string Title;
    std::string Target;
};

// What a look at a target found. Unknown: the drive did not answer in time
// (or cannot be asked without a prompt): such an entry is not called broken.
enum class TLinkState { Present, Missing, Unknown };

// Every launcher entry with a target in the file system, in set, page and
// entry order: separators, web addresses and empty targets need no look.
std::vector<TLinkCheck> LinksToCheck(const std::vector<const TVantorManager*>& sets);

// The entries whose target `probe` found missing, in the same order. Each
// target is probed once, however many entries share it.
std::vector<TLinkCheck> FindBrokenLinks(const std::vector<TLinkCheck>& checks,
                                        const std::function<TLinkState(const std::string& target)>& probe);

// Deletes the chosen entries from their sets. An entry is deleted only when
// it is still where the check found it with the same target and title (the
// sets may have changed since); returns the ones deleted.
std::vector<TLinkCheck> DeleteCheckedEntries(const std::vector<TVantorManager*>& sets,
                                             const std::vector<TLinkCheck>& chosen);

// The list after some of its entries were deleted: those leave it, and the
// ones behind them on the same page move up a place, as their entries did.
void ForgetDeleted(std::vector<TLinkCheck>& listed, const std::vector<TLinkCheck>& deleted);

// True for a target on another machine (\\server\share\...): it may take
// long to answer.
bool IsNetworkPath(const std::string& target);
