#include "launch/target_facts.h"

#include <cctype>
#include <initializer_list>

#include "text/text.h"

namespace {

const char kReadMeName[] = "Readme.txt";

bool IsFolder(const TTargetLook& look, const std::string& path) { return look(path) == TTargetKind::Folder; }

std::string FirstFile(const TTargetLook& look, std::initializer_list<std::string> candidates) {
    for (const std::string& path : candidates)
        if (!path.empty() && look(path) == TTargetKind::File) return path;
    return "";
}

}  // namespace

TTargetLook PlatformLook(TPlatform& platform) {
    return [&platform](const std::string& path) {
        if (platform.DirectoryExists(path)) return TTargetKind::Folder;
        return platform.FileExists(path) ? TTargetKind::File : TTargetKind::Missing;
    };
}

TTargetFacts LookAtTarget(const std::string& linkTo, bool all, const TTargetLook& look,
                          const std::function<bool()>& goOn) {
    TTargetFacts facts;
    if (linkTo.empty()) {
        facts.Kind = TTargetKind::Missing;
        return facts;
    }
    facts.Kind = look(linkTo);
    if (!all || facts.Kind == TTargetKind::Unknown || (goOn && !goOn())) return facts;
    const std::string folder = facts.Kind == TTargetKind::Folder ? linkTo : ExtractFileDir(linkTo);
    if (folder.empty() || (folder != linkTo && !IsFolder(look, folder))) return facts;
    facts.Folder = IncludeTrailingBackslash(folder);
    // A help file as the target is its own help: nothing to add beside it.
    if (AsciiLowerCase(ExtractFileExt(linkTo)) != ".hlp")
        facts.HelpFile = FirstFile(look, {ChangeFileExt(linkTo, ".hlp"), ChangeFileExt(linkTo, ".chm")});
    facts.ReadMeFile =
        FirstFile(look, {facts.Folder + kReadMeName, ChangeFileExt(linkTo, ".txt"), ChangeFileExt(linkTo, ".doc")});
    return facts;
}

std::string FolderToOpen(const std::string& target, TTargetKind kind) {
    if (kind == TTargetKind::Folder || kind == TTargetKind::Missing) return target;
    const std::string folder = ExtractFileDir(target);
    return folder.empty() ? target : folder;
}

std::string TargetKey(const std::string& path) { return AnsiLowerCase(path); }

std::string PlaceOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
        return AsciiLowerCase(path.substr(0, 2));
    if (path.rfind("\\\\", 0) != 0) return "";
    // "\\server\share": up to the fourth separator; names may hold double-byte characters.
    int separators = 0;
    size_t i = 0;
    while (i < path.size()) {
        if (path[i] == '\\' && ++separators == 4) break;
        i += IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size() ? 2 : 1;
    }
    return separators >= 3 ? AnsiLowerCase(path.substr(0, i)) : "";
}

void TSlowPlaces::Noted(const std::string& path, uint32_t tookMs, uint32_t now) {
    const std::string place = PlaceOf(path);
    if (place.empty()) return;
    std::lock_guard<std::mutex> lock(FLock);
    if (tookMs > SlowMs)
        FSlowAt[place] = now;
    else
        FSlowAt.erase(place);
}

bool TSlowPlaces::IsSlow(const std::string& path, uint32_t now) const {
    const std::string place = PlaceOf(path);
    if (place.empty()) return false;
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FSlowAt.find(place);
    return it != FSlowAt.end() && now - it->second <= HoldMs;
}

TTargetLook NotingLook(TTargetLook look, TSlowPlaces& places, std::function<uint32_t()> clock) {
    return [look = std::move(look), &places, clock = std::move(clock)](const std::string& path) {
        const uint32_t start = clock();
        const TTargetKind kind = look(path);
        const uint32_t end = clock();
        places.Noted(path, end - start, end);
        return kind;
    };
}
