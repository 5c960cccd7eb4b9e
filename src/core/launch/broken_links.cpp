#include "launch/broken_links.h"

#include <algorithm>
#include <map>

#include "text/text.h"

std::vector<TLinkCheck> LinksToCheck(const std::vector<const TVantorManager*>& sets) {
    std::vector<TLinkCheck> checks;
    for (size_t s = 0; s < sets.size(); ++s) {
        const TVantorManager* set = sets[s];
        if (!set) continue;
        for (int32_t p = 0; p < set->Count(); ++p) {
            const TVantorPage* page = set->Pages(p);
            for (int32_t i = 0; page && i < page->Count(); ++i) {
                const TVantorButton* entry = page->Buttons(i);
                if (!entry || entry->IsSeparator() || entry->LinkTo.empty() || IsWebAddress(entry->LinkTo)) continue;
                checks.push_back(TLinkCheck{static_cast<int32_t>(s), p, i, page->Caption, entry->Title, entry->LinkTo});
            }
        }
    }
    return checks;
}

std::vector<TLinkCheck> FindBrokenLinks(const std::vector<TLinkCheck>& checks,
                                        const std::function<TLinkState(const std::string&)>& probe) {
    std::map<std::string, TLinkState> seen;  // by the target lower-cased: the file system ignores case
    std::vector<TLinkCheck> broken;
    for (const TLinkCheck& check : checks) {
        const std::string key = AnsiLowerCase(check.Target);
        auto found = seen.find(key);
        if (found == seen.end()) found = seen.emplace(key, probe(check.Target)).first;
        if (found->second == TLinkState::Missing) broken.push_back(check);
    }
    return broken;
}

namespace {

bool SamePlace(const TLinkCheck& a, const TLinkCheck& b) {
    return a.Set == b.Set && a.Page == b.Page && a.Index == b.Index;
}

}  // namespace

std::vector<TLinkCheck> DeleteCheckedEntries(const std::vector<TVantorManager*>& sets,
                                             const std::vector<TLinkCheck>& chosen) {
    // From the back, so that the places of the ones still to go hold.
    std::vector<TLinkCheck> order = chosen;
    std::sort(order.begin(), order.end(), [](const TLinkCheck& a, const TLinkCheck& b) {
        if (a.Set != b.Set) return a.Set > b.Set;
        if (a.Page != b.Page) return a.Page > b.Page;
        return a.Index > b.Index;
    });
    std::vector<TLinkCheck> deleted;
    for (const TLinkCheck& c : order) {
        if (c.Set < 0 || static_cast<size_t>(c.Set) >= sets.size() || !sets[c.Set]) continue;
        TVantorManager& set = *sets[c.Set];
        if (c.Page < 0 || c.Page >= set.Count()) continue;
        TVantorPage& page = *set.Pages(c.Page);
        if (c.Index < 0 || c.Index >= page.Count()) continue;
        const TVantorButton& entry = *page.Buttons(c.Index);
        if (entry.LinkTo != c.Target || entry.Title != c.Title) continue;
        page.Delete(c.Index);
        deleted.push_back(c);
    }
    return deleted;
}

void ForgetDeleted(std::vector<TLinkCheck>& listed, const std::vector<TLinkCheck>& deleted) {
    std::vector<TLinkCheck> kept;
    for (TLinkCheck c : listed) {
        bool gone = false;
        int32_t before = 0;
        for (const TLinkCheck& d : deleted) {
            gone = gone || SamePlace(c, d);
            before += d.Set == c.Set && d.Page == c.Page && d.Index < c.Index;
        }
        if (gone) continue;
        c.Index -= before;
        kept.push_back(c);
    }
    listed = std::move(kept);
}

bool IsNetworkPath(const std::string& target) {
    return target.size() >= 2 && (target[0] == '\\' || target[0] == '/') && (target[1] == '\\' || target[1] == '/');
}
