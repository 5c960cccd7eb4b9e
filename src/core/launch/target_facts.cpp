#include "launch/target_facts.h"

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

TTargetFacts LookAtTarget(const std::string& linkTo, bool all, const TTargetLook& look) {
    TTargetFacts facts;
    if (linkTo.empty()) {
        facts.Kind = TTargetKind::Missing;
        return facts;
    }
    facts.Kind = look(linkTo);
    if (!all || facts.Kind == TTargetKind::Unknown) return facts;
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
