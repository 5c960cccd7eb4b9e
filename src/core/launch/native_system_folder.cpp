#include "launch/native_system_folder.h"

#include <string_view>

#include "launch/launch_rules.h"
#include "text/text.h"

namespace {

size_t CharLength(std::string_view s, size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

bool IsSeparator(std::string_view c) { return c == "\\" || c == "/"; }

// The length of the part of `path` that spells `prefix` (ignoring case, any
// separator for any separator), or npos when it does not begin with it.
size_t MatchedPrefix(std::string_view path, std::string_view prefix) {
    size_t i = 0;
    size_t j = 0;
    while (j < prefix.size()) {
        if (i >= path.size()) return std::string_view::npos;
        const std::string_view a = path.substr(i, CharLength(path, i));
        const std::string_view b = prefix.substr(j, CharLength(prefix, j));
        if (!(IsSeparator(a) && IsSeparator(b)) && !SameText(a, b)) return std::string_view::npos;
        i += a.size();
        j += b.size();
    }
    return i;
}

}  // namespace

std::string NativeSystemPath(const std::string& path, const std::string& windowsFolder) {
    const std::string windows = ExcludeTrailingBackslash(windowsFolder);
    if (windows.empty()) return path;
    const size_t folder = MatchedPrefix(path, windows + "\\");
    if (folder == std::string_view::npos) return path;
    const std::string_view system = "System32";
    const size_t end = folder + system.size();
    if (!SameText(std::string_view(path).substr(folder, system.size()), system)) return path;
    // "System32x" is another folder; the folder itself or anything in it counts.
    if (end < path.size() && !IsSeparator(std::string_view(path).substr(end, 1))) return path;
    return path.substr(0, folder) + "Sysnative" + path.substr(end);
}

std::string NativeStartPath(const std::string& path, const std::string& windowsFolder,
                            const std::function<bool(const std::string& path)>& seenAsWritten) {
    std::string native = NativeSystemPath(path, windowsFolder);
    if (native == path || IsProgramTarget(path)) return native;
    return seenAsWritten(path) ? path : native;
}
