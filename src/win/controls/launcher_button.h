// The entry buttons: an icon button whose icon comes from a file, a folder or
// a web address, through a cache of extracted icons shared by all of them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/custom_button.h"
#include "layout/icon_cache.h"

// A file type's or a file's icon, extracted anew; the caller owns the handle
// (null when there is none). A web address ("http://..." or "https://...") gets the icon of
// web shortcuts; index -1 asks the shell for the icon it shows for the file,
// any other index picks that icon inside the file. `large` picks 32 over 16 pixels.
HICON ExtractLauncherIcon(const std::string& path, bool large, int index);
// The same icon at 64 pixels, for the widest buttons; null when the system
// has no such image (the 32-pixel icon is then drawn enlarged).
// The image for a large icon drawn `drawSize` pixels large (64 at 96 DPI),
// taken at the nearest icon size at least that large.
HICON ExtractLauncherIcon64(const std::string& path, int index, int drawSize = 64);
// The icon of the path's kind at `size` pixels, without opening the file: a
// folder's, a document type's, or the system's program icon for files whose
// icon lies inside them (programs, icons, shortcuts). The caller owns it.
HICON KindLauncherIcon(const std::string& path, bool folder, int size);
// The empty file "Vantor.url" in the temporary folder, created when missing,
// whose icon is the shell's icon of web shortcuts.
std::wstring WebShortcutIconFile();

// The icon drawn for an entry whose target is missing: 32 or 16 pixels. The
// program's resources "_NOTFOUNDL" and "_NOTFOUNDS" when present, else drawn
// here. Shared and owned by this unit: never destroy it.
// The "not found" picture; `size` 0 gives its own size (32 or 16).
HICON NotFoundIcon(bool large, int size = 0);

class TIconLoader;
struct TIconAnswer;
class TLauncherButton;

// At most 256 extracted icons keyed by (path, large, index); the least-used
// one makes room. Icons are extracted from files only on a miss. The icons are
// handed out shared, not copied: an evicted icon lives on while a button still
// shows it, and is destroyed when the last holder lets go.
//
// Buttons ask for their icons through Request: the target's check and any
// extraction run on a worker, and the answer goes to the button later on this
// thread. Requests for the same icon in flight share one job; the worker's
// icons are fed to the cache here, with the same hits and misses as if each
// button had asked in turn.
class TLauncherButtonCache : public TComponent {
public:
    static constexpr int SlotCount = TLauncherButtonCachePolicy<int>::SlotCount;

    TLauncherButtonCache();
    ~TLauncherButtonCache() override;

    int CacheSize() const { return FPolicy.CacheSize(); }
    // Values below 1 become 1, above 256 become 256; shrinking evicts.
    void SetCacheSize(int size) { FPolicy.SetCacheSize(size); }
    int Used() const { return FPolicy.Used(); }

    // The cached icon, shared with the cache; null when the file has none.
    TSharedIcon GetIcon(const std::string& path, bool large, int index);
    // As GetIcon, but for a large icon drawn at 64 pixels the 64-pixel image
    // is handed out when the system has one (kept in the same slot).
    TSharedIcon GetIcon(const std::string& path, bool large, int index, int drawSize);

    // The icon a slot holds now, null for a free slot.
    HICON SlotIcon(int slot) const;

    // Buttons still waiting for an answer.
    size_t Waiting() const { return FWaiters.size(); }
    // Delivers every answer the worker has ready, then waits for the rest.
    void FinishAll();

private:
    friend class TLauncherButton;
    using TTicket = uint64_t;
    using TJobId = uint64_t;

    struct TCachedIcon {
        TSharedIcon Icon;
        TSharedIcon Icon64;
        bool Icon64Tried = false;
    };
    // Evicted entries come back from the policy and are dropped there: only
    // the cache's own reference to their icons goes.
    using TEntry = std::shared_ptr<TCachedIcon>;
    TEntry Lookup(const std::string& path, bool large, int index);
    static TSharedIcon Pick(const TEntry& entry, bool want64);

    // One job per icon in flight; buttons asking for it meanwhile wait on it.
    struct TJobKey {
        std::string Path;
        bool Large;
        int Index;
        bool Want64;
        int Size64 = 64;  // how large the big image is drawn; one size per screen, so not compared
        bool operator<(const TJobKey& o) const;
    };
    struct TJob {
        TJobKey Key;
        std::vector<TTicket> Waiters;
        bool AskedIcon = false;  // the worker was asked to extract the icon
        bool Asked64 = false;    // and the 64-pixel image
    };
    struct TWaiter {
        TLauncherButton* Button;
        TJobId Job;
        bool KeepShown;  // the button goes on showing its icon while its target is checked again
    };

    // The button gets its answer later through ShowAnswer; the ticket names
    // the request until then.
    TTicket Request(TLauncherButton& button, const std::string& path, bool large, int index, int drawSize,
                    bool keepShown);
    void Cancel(TTicket ticket);
    // The ticket's answer now (waits for the worker when it has begun).
    void Settle(TTicket ticket);
    void Join(TTicket ticket, const TJobKey& key);
    // Drops the key's in-flight job when it is still `job` (a newer check may have taken its place).
    void ForgetInFlight(const TJobKey& key, TJobId job);
    void Answered(TJobId job, TIconAnswer& answer);

    TLauncherButtonCachePolicy<TEntry> FPolicy;
    std::unique_ptr<TIconLoader> FLoader;
    TTicket FNextTicket = 1;
    std::map<TJobKey, TJobId> FInFlight;
    std::unordered_map<TJobId, TJob> FJobs;
    std::unordered_map<TTicket, TWaiter> FWaiters;
};

class TLauncherButton : public TCustomIconButton {
public:
    ~TLauncherButton() override;

    // Not owned; null extracts every icon directly, here and now. With a
    // cache the target is checked and its icon extracted on the cache's
    // worker: the button shows nothing until the answer is in.
    TLauncherButtonCache* Cache() const { return FCache; }
    void SetCache(TLauncherButtonCache* cache);

    // A path that is neither an existing file or folder nor a web address
    // reads back empty and shows the "not found" icon. Asking while the
    // target is being checked waits for the answer.
    const std::string& FileName() const;
    void SetFileName(const std::string& path);
    int IconIndex() const { return FIconIndex; }
    // -1 is the shell's icon for the file; a change reloads the icon.
    void SetIconIndex(int index);
    // Both at once, with a single reload. A button that already shows that
    // source keeps its icon while its target is checked again.
    void SetIconSource(const std::string& path, int index);

    // The icon shown once the answer is in (waits for it, as FileName does).
    HICON IconHandle() const;
    // The button waits for the worker's answer.
    bool Pending() const { return FTicket != 0; }

    // A small mark in the corner: the last look for broken entries found
    // this entry's target gone.
    bool Marked() const { return FMarked; }
    void SetMarked(bool marked);

protected:
    void PaintContent(HDC dc) override;
    void LargeIconChanged(bool& repaint) override;
    HICON IconToDraw(int& size) const override;
    void BoundsChanged() override;

private:
    friend class TLauncherButtonCache;
    // The cache's answer: the target is missing, or here is its icon
    // (`keep`: the one shown stays).
    void ShowAnswer(bool exists, TSharedIcon icon, bool keep);
    void Settle() const;
    void CancelRequest();

    std::string FSource;    // the path asked for
    std::string FFileName;  // the path once checked; empty when missing
    int FIconIndex = -1;
    TLauncherButtonCache* FCache = nullptr;
    int FLoadedSize = 0;         // the draw size the icon was loaded for
    uint64_t FTicket = 0;        // the cache's request in flight, 0 for none
    bool FKnownMissing = false;  // the last answer: the target is missing
    bool FMarked = false;
};
