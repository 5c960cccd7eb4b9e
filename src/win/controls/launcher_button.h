// The entry buttons: an icon button whose icon comes from a file, a folder or
// a web address, through a cache of extracted icons shared by all of them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controls/custom_button.h"
#include "layout/icon_cache.h"

// A file type's or a file's icon, extracted anew; the caller owns the handle
// (null when there is none). A web address ("http://...") gets the icon of
// web shortcuts; index -1 asks the shell for the icon it shows for the file,
// any other index picks that icon inside the file. `large` picks 32 over 16 pixels.
HICON ExtractLauncherIcon(const std::string& path, bool large, int index);
// The same icon at 64 pixels, for the widest buttons; null when the system
// has no such image (the 32-pixel icon is then drawn enlarged).
HICON ExtractLauncherIcon64(const std::string& path, int index);
// The empty file "Vantor.url" in the temporary folder, created when missing,
// whose icon is the shell's icon of web shortcuts.
std::wstring WebShortcutIconFile();

// The icon drawn for an entry whose target is missing: 32 or 16 pixels. The
// program's resources "_NOTFOUNDL" and "_NOTFOUNDS" when present, else drawn
// here. Shared and owned by this unit: never destroy it.
HICON NotFoundIcon(bool large);

// At most 256 extracted icons keyed by (path, large, index); the least-used
// one makes room. Icons are extracted from files only on a miss. The icons are
// handed out shared, not copied: an evicted icon lives on while a button still
// shows it, and is destroyed when the last holder lets go.
class TLauncherButtonCache : public TComponent {
public:
    static constexpr int SlotCount = TLauncherButtonCachePolicy<int>::SlotCount;

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

private:
    struct TCachedIcon {
        TSharedIcon Icon;
        TSharedIcon Icon64;
        bool Icon64Tried = false;
    };
    // Evicted entries come back from the policy and are dropped there: only
    // the cache's own reference to their icons goes.
    using TEntry = std::shared_ptr<TCachedIcon>;
    TEntry Lookup(const std::string& path, bool large, int index);

    TLauncherButtonCachePolicy<TEntry> FPolicy;
};

class TLauncherButton : public TCustomIconButton {
public:
    // Not owned; null extracts every icon directly.
    TLauncherButtonCache* Cache() const { return FCache; }
    void SetCache(TLauncherButtonCache* cache) { FCache = cache; }

    // A path that is neither an existing file or folder nor a web address
    // reads back empty and shows the "not found" icon.
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& path);
    int IconIndex() const { return FIconIndex; }
    // -1 is the shell's icon for the file; a change reloads the icon.
    void SetIconIndex(int index);
    // Both at once, with a single reload; none when the button already shows
    // that source and its target is still there.
    void SetIconSource(const std::string& path, int index);

protected:
    void LargeIconChanged(bool& repaint) override;
    HICON IconToDraw(int& size) const override;
    void BoundsChanged() override;

private:
    std::string FFileName;
    int FIconIndex = -1;
    TLauncherButtonCache* FCache = nullptr;
    int FLoadedSize = 0;  // the draw size the icon was loaded for
};
