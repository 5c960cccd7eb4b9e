// What the file system says about an entry's target, apart from how it is
// asked: a target may sit on a share or a drive that takes seconds to answer,
// so the window asks on a worker (shell/target_probe.h) and decides here
// with whatever answer it has. The cache keeps answers for a short while so
// that one path is not asked twice in a row.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform.h"

// Unknown: the drive did not answer in time, or is not ready, or denies
// access; nobody can say the target is gone.
enum class TTargetKind : uint8_t { Unknown, Missing, File, Folder };

inline bool TargetExists(TTargetKind kind) { return kind == TTargetKind::File || kind == TTargetKind::Folder; }

// One look at one path.
using TTargetLook = std::function<TTargetKind(const std::string& path)>;

// The platform's answers as a look (for callers that may wait).
TTargetLook PlatformLook(TPlatform& platform);

// What the entry menu and its commands need beside the target's kind.
struct TTargetFacts {
    TTargetKind Kind = TTargetKind::Unknown;
    // The folder the target lives in (the target itself when it is one), with
    // a trailing backslash; empty when it is not there.
    std::string Folder;
    std::string HelpFile;    // empty when there is none
    std::string ReadMeFile;  // empty when there is none
};

// The target's kind, and with `all` its folder and the help and read-me
// files beside it; those are left out when `goOn`, asked after the first
// look, says no (the drive has just proved slow).
TTargetFacts LookAtTarget(const std::string& linkTo, bool all, const TTargetLook& look,
                          const std::function<bool()>& goOn = {});

// What "open this folder" opens: a folder target itself, else its folder. A
// missing target is named as it is (the start says it is not there); one
// whose drive did not answer is taken for a file, so the program is never
// started in place of its folder.
std::string FolderToOpen(const std::string& target, TTargetKind kind);

// The questions one may ask about a path; every answer carries the kind.
enum TTargetQuestion : uint8_t {
    tqKind = 0,
    tqItem = 1,        // the shell item to start it by (the window side's)
    tqFacts = 2,       // folder, help and read-me files
    tqFolderItem = 4,  // the shell item of its folder, for the folder submenu
};

// Answers by path (ignoring case) and by what was asked, with the tick count
// they came at. A decision (starting, checking a dialog) takes an answer at
// most FreshMs old; a menu may show one up to ShownMs old (an item for a file
// gone since only gets the shell's own report). Older answers are dropped.
template <typename TAnswer>
class TTargetCache {
public:
    static constexpr uint32_t FreshMs = 5000;
    static constexpr uint32_t ShownMs = 5 * 60 * 1000;

    // The newest answer to at least `questions`, at most `maxAge` ms old.
    const TAnswer* Find(const std::string& key, unsigned questions, uint32_t now, uint32_t maxAge) const {
        const TEntry* best = nullptr;
        auto range = FEntries.equal_range(key);
        for (auto it = range.first; it != range.second; ++it) {
            const TEntry& e = it->second;
            if ((e.Asked & questions) != questions || now - e.Time > maxAge) continue;
            if (!best || now - e.Time < now - best->Time) best = &e;
        }
        return best ? &best->Answer : nullptr;
    }
    // Replaces the answer to the same questions; drops what has grown too old.
    void Store(const std::string& key, unsigned questions, TAnswer answer, uint32_t now) {
        Prune(now);
        auto range = FEntries.equal_range(key);
        for (auto it = range.first; it != range.second; ++it) {
            if (it->second.Asked != questions) continue;
            it->second = TEntry{std::move(answer), now, questions};
            return;
        }
        FEntries.emplace(key, TEntry{std::move(answer), now, questions});
    }
    // A target the user was told is missing is looked at again next time:
    // they may have put it back.
    void Forget(const std::string& key) { FEntries.erase(key); }
    size_t Size() const { return FEntries.size(); }
    void Clear() { FEntries.clear(); }

private:
    struct TEntry {
        TAnswer Answer;
        uint32_t Time;
        unsigned Asked;
    };
    void Prune(uint32_t now) {
        for (auto it = FEntries.begin(); it != FEntries.end();)
            it = now - it->second.Time > ShownMs ? FEntries.erase(it) : std::next(it);
    }
    std::multimap<std::string, TEntry> FEntries;
};

// The cache's key of a path: the file system ignores case.
std::string TargetKey(const std::string& path);

// The drive ("c:") or share ("\\server\share") a path lies on, lower-cased;
// empty for a path that names neither.
std::string PlaceOf(const std::string& path);

// Drives and shares that answered slowly of late. Opening a file there (for
// its icon, say) holds up whoever opens it for as long as the drive takes, and
// under Wine the whole session; what is only nice to have (the file's own
// icon, help and read-me items) is not asked of such a place until it has
// answered promptly again or HoldMs have passed. Shared by worker threads.
class TSlowPlaces {
public:
    static constexpr uint32_t SlowMs = 1000;  // a look that took longer is slow
    static constexpr uint32_t HoldMs = 60000;

    // One look at `path` took `tookMs`, ending at the tick `now`.
    void Noted(const std::string& path, uint32_t tookMs, uint32_t now);
    bool IsSlow(const std::string& path, uint32_t now) const;

private:
    mutable std::mutex FLock;
    std::map<std::string, uint32_t> FSlowAt;  // place → tick of its last slow look
};

// `look`, each call timed with `clock` (milliseconds) and noted in `places`.
TTargetLook NotingLook(TTargetLook look, TSlowPlaces& places, std::function<uint32_t()> clock);
