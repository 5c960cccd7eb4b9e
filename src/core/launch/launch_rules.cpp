#include "launch/launch_rules.h"

#include <algorithm>

#include "text/text.h"

std::optional<TShellStart> FolderStart(int32_t filerType, const std::string& filerName, bool filerExists,
                                       const std::string& folder, int32_t showCmd) {
    switch (filerType) {
        case 0:
            return TShellStart{"open", folder, "", "", showCmd};
        case 1:
            return TShellStart{"explore", folder, "", "", showCmd};
        case 2:
            // Quoted: a folder with spaces is one argument, and one named
            // like an option is not taken for one.
            if (filerExists) return TShellStart{"open", filerName, QuotedFileName(folder), "", showCmd};
            return TShellStart{"open", folder, "", "", showCmd};
        default:
            return std::nullopt;
    }
}

std::string StartFolder(const std::string& workingDir, const std::string& target) {
    if (!workingDir.empty()) return workingDir;
    return target.empty() ? std::string() : ExtractFileDir(target);
}

std::string QuotedFileName(const std::string& name) {
    return "\"" + name + (HasTrailingBackslash(name) ? "\\" : "") + "\"";
}

std::vector<std::string> DropArguments(const std::string& arguments, const std::vector<std::string>& files,
                                       bool allAtOnce) {
    std::vector<std::string> starts;
    if (allAtOnce) {
        std::string all = arguments;
        for (const std::string& file : files) all += " " + QuotedFileName(file);
        starts.push_back(all);
        return starts;
    }
    for (const std::string& file : files) starts.push_back(arguments + " " + QuotedFileName(file));
    return starts;
}

bool IsProgramTarget(const std::string& target) { return AnsiLowerCase(ExtractFileExt(target)) == ".exe"; }

void SortDroppedNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
}

bool AddToHistoryPage(TVantorPage& history, const TVantorButton& entry) {
    int32_t index = history.IndexOfButton(entry);
    if (index < 0) {
        while (history.Count() >= HistoryLimit) history.Delete(history.Count() - 1);
        if (!history.AddCopy(entry)) return false;
        index = history.Count() - 1;
    }
    history.Move(index, 0);
    return true;
}
