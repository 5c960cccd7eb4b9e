// Starting entries: the click on an entry, the shell calls, the history of
// starts and files dropped on a page.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>

#include "app/vantor.h"
#include "base/win_text.h"
#include "settings/name_value.h"
#include "shell/id_list.h"
#include "text/text.h"

namespace {

constexpr int32_t kHistoryLimit = 16;
// Free system, USER and GDI resources together below this ask first.
constexpr int32_t kLowResources = 60;

const char kNotFound[] = "\"%s\"が見つかりません。";
const char kForbidden[] = "本業に集中しなさい！";
const char kLowResourceQuestion[] =
    "使用可能なリソースが少なくなっています。これ以上のアプリケーションの起動により、システムが不安定となる可能性"
    "があります。続けますか？";

bool AttributesReadable(const std::string& path, DWORD& attributes) {
    attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES;
}

bool PathExists(const std::string& path) {
    DWORD attributes;
    return AttributesReadable(path, attributes);
}

bool IsFolder(const std::string& path) {
    DWORD attributes;
    return AttributesReadable(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring DoubleZeroList(const std::vector<std::string>& names) {
    std::wstring list;
    for (const std::string& name : names) {
        list += Widen(name);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

// A name ending in a backslash ("C:\") gets it doubled, or the program
// started would read the backslash and the closing quote as a quote.
std::string Quoted(const std::string& name) { return "\"" + name + (HasTrailingBackslash(name) ? "\\" : "") + "\""; }

}  // namespace

void TVantor::LaunchButton(TBarKind owner, int32_t tag) {
    TVantorManager* pages = PagesOf(owner);
    if (!pages || pages->CurrentPage() < 0) return;
    TVantorPage& page = *pages->Pages(pages->CurrentPage());
    if (tag < 0 || tag >= page.Count()) return;
    if (FServices->IsCtrlDown()) {
        OpenThisFolder(page.Buttons(tag)->LinkTo);
        return;
    }
    if (MainPages().ResourceWarning && FreeResourcesTotal() < kLowResources && !ConfirmBox(kLowResourceQuestion))
        return;
    if (owner == TBarKind::Main) CurrentButton = tag;  // the focus frame follows here
    // A copy: the history update below may rebuild the page the entry is on.
    TVantorButton entry;
    entry.CopyDataFrom(*page.Buttons(tag));
    if (entry.Forbidden && FServices->Random(5) != 0) {
        // The hint window is hidden here.
        ErrorBox(kForbidden);
        return;
    }
    PlaySoundEvent("Launch");
    AddToHistory(entry, owner);
    Execute(entry.LinkTo, entry.Arguments, entry.ShowCmd, entry.WorkingDir);
}

// Free system, USER and GDI resources in percent, added up; the NT family
// has no such limits.
int32_t TVantor::FreeResourcesTotal() {
    if (IsNT) return 300;
    return -3;  // the resource meter measures here; unread, each value is -1
}

void TVantor::Execute(const std::string& target, const std::string& parameters, int showCmd,
                      const std::string& directory) {
    if (IsWebAddress(target)) {
        FServices->StartShell(Handle(), {"open", target, parameters, directory, showCmd, nullptr});
        return;
    }
    if (!PathExists(target)) {
        ErrorBox(Format(kNotFound, target));
        return;
    }
    TIDList item(PathToIDList(target));
    if (item) ExecuteItem(item.get(), parameters, showCmd, directory);
}

void TVantor::ExecuteItem(LPCITEMIDLIST item, const std::string& parameters, int showCmd,
                          const std::string& directory) {
    std::string path = IDListToPath(item);
    if (!path.empty() && !PathExists(path)) {
        ErrorBox(Format(kNotFound, path));
        return;
    }
    if (!path.empty() && IsFolder(path)) {
        // A folder opens as FilerType says; the entry's arguments and working
        // folder do not apply.
        const TVantorManager& settings = MainPages();
        switch (settings.FilerType()) {
            case 0:
                FServices->StartShell(Handle(), {"open", path, "", "", showCmd, nullptr});
                break;
            case 1:
                FServices->StartShell(Handle(), {"explore", path, "", "", showCmd, nullptr});
                break;
            case 2:
                if (FPlatform.FileExists(settings.FilerName))
                    FServices->StartShell(Handle(), {"open", settings.FilerName, path, "", showCmd, nullptr});
                else
                    FServices->StartShell(Handle(), {"open", path, "", "", showCmd, nullptr});
                break;
            default:
                break;
        }
        return;
    }
    std::string folder = !directory.empty() ? directory : path.empty() ? std::string() : ExtractFileDir(path);
    FServices->StartShell(Handle(), {"", "", parameters, folder, showCmd, item});
}

void TVantor::OpenThisFolder(const std::string& target) {
    DWORD attributes;
    if (!AttributesReadable(target, attributes) || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        Execute(target, "", SW_SHOW, "");
    else
        Execute(ExtractFileDir(target), "", SW_SHOW, "");
}

void TVantor::PlaySoundEvent(const std::string& event) {
    FServices->PlaySoundValue(ListValue(MainPages().Sounds, event));
}

void TVantor::AddToHistory(const TVantorButton& entry, TBarKind owner) {
    TVantorManager& history = HistoryPages();
    if (history.CurrentPage() < 0) return;
    TVantorPage& page = *history.Pages(history.CurrentPage());
    // A control of the history bar gets a synthetic pointer-leave here, so it
    // loses its pressed look before the page changes.
    (void)owner;
    int32_t index = page.IndexOfButton(entry);
    if (index < 0) {
        if (page.Count() >= kHistoryLimit) page.Delete(kHistoryLimit - 1);
        if (!page.AddCopy(entry)) return;
        index = page.Count() - 1;
    }
    page.Move(index, 0);
    RebuildHistoryBar();
}

void TVantor::DropFilesOnPage(const std::vector<std::string>& files, int32_t entryIndex, TBarKind target,
                              TVantorPage& page) {
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const std::string& file : files) names.push_back(CanonicalPath(file));
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });

    if (entryIndex >= 0 && entryIndex < page.Count()) {
        TVantorButton entry;
        entry.CopyDataFrom(*page.Buttons(entryIndex));
        if (AnsiLowerCase(ExtractFileExt(entry.LinkTo)) == ".exe") {
            DropOnProgram(entry, names);
            AddToHistory(entry, target);
        } else if (IsFolder(entry.LinkTo)) {
            DropInFolder(entry, names);
        }
        return;
    }
    if (target == TBarKind::KeywordBar || target == TBarKind::HistoryBar) return;
    for (const std::string& name : names)
        if (!page.AddFile(name)) break;
    RebuildPage();
}

// Each name is passed in quotes of its own (a file name cannot hold a
// quote), appended to the entry's arguments.
void TVantor::DropOnProgram(const TVantorButton& entry, const std::vector<std::string>& files) {
    if (FServices->IsCtrlDown()) {
        std::string parameters = entry.Arguments;
        for (const std::string& file : files) parameters += " " + Quoted(file);
        Execute(entry.LinkTo, parameters, entry.ShowCmd, entry.WorkingDir);
        return;
    }
    for (const std::string& file : files)
        Execute(entry.LinkTo, entry.Arguments + " " + Quoted(file), entry.ShowCmd, entry.WorkingDir);
}

// One operation for all files (one undo step, one set of questions). Each
// file is given its own destination inside the folder: the same result as
// naming the folder once, and the form every shell implementation handles.
void TVantor::DropInFolder(const TVantorButton& entry, const std::vector<std::string>& files) {
    std::vector<std::string> destinations;
    std::string folder = IncludeTrailingBackslash(entry.LinkTo);
    for (const std::string& file : files) destinations.push_back(folder + ExtractFileName(file));
    std::wstring from = DoubleZeroList(files);
    std::wstring to = DoubleZeroList(destinations);
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = Handle();
    operation.wFunc = FServices->IsCtrlDown() ? FO_COPY : FO_MOVE;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_MULTIDESTFILES;
    SHFileOperationW(&operation);
}

void TVantor::RebuildHistoryBar() {
    // The history bar re-binds its controls here.
}
