#include "dialogs/process_picker.h"

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include "base/handles.h"
#include "base/win_text.h"
#include "base/window_dpi.h"
#include "dialogs/organise_lists.h"

namespace {

// The path of a process's executable. The snapshot's name is the whole path
// on the Windows 95/98 family but only the file name on the NT family, where
// the process itself is asked (which fails for some system processes).
std::wstring ExecutablePath(const PROCESSENTRY32W& entry, bool isNT) {
    if (!isNT) return entry.szExeFile;
    TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (!process.Get()) return std::wstring();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process.Get(), 0, path, &size)) return std::wstring();
    return std::wstring(path, size);
}

// The long form the shell shows, as the user knows the folder.
std::wstring LongPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetLongPathNameW(path.c_str(), buffer, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(buffer, length) : path;
}

}  // namespace

std::vector<std::string> TProcessPickerDialog::RunningPrograms(bool isNT) {
    std::vector<std::string> paths;
    TKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Get() || snapshot.Get() == INVALID_HANDLE_VALUE) {
        snapshot.Release();
        return paths;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        const std::wstring path = ExecutablePath(entry, isNT);
        // Only a full path can be a target.
        if (path.find(L'\\') == std::wstring::npos) continue;
        if (std::optional<std::string> narrow = NarrowPath(LongPath(path))) paths.push_back(*narrow);
    }
    return paths;
}

bool TProcessPickerDialog::OnInit() {
    UseJapaneseFont(Handle());
    PlaceInPixels(Handle(), 337, 287);
    HWND list = Item(IDC_PROCESS_LIST);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    std::wstring name = Widen("ファイル名"), folder = Widen("フォルダ");
    // 96-DPI widths, grown with the dialog's font.
    column.cx = ScaledForWindow(Handle(), 96);
    column.pszText = name.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = ScaledForWindow(Handle(), 192);
    column.pszText = folder.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);

    SHFILEINFOW info{};
    // The system's list of small icons; the list view only borrows it.
    const auto images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (images) SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));

    FItems = ProgramList(RunningPrograms(FIsNT));
    for (size_t i = 0; i < FItems.size(); ++i) {
        const std::wstring path = Widen(FItems[i].Folder + FItems[i].Name);
        SHFILEINFOW icon{};
        const int image = SHGetFileInfoW(path.c_str(), 0, &icon, sizeof(icon), SHGFI_SYSICONINDEX | SHGFI_SMALLICON)
                              ? icon.iIcon
                              : -1;
        ListInsertItem(list, static_cast<int>(i), FItems[i].Name, image);
        std::wstring second = Widen(FItems[i].Folder);
        LVITEMW sub{};
        sub.iSubItem = 1;
        sub.pszText = second.data();
        SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&sub));
    }
    EnableItem(IDOK, false);
    return true;
}

bool TProcessPickerDialog::OnNotify(int id, NMHDR& header, LRESULT& result) {
    if (id != IDC_PROCESS_LIST) return TDialog::OnNotify(id, header, result);
    return PickListNotify(*this, header);
}

bool TProcessPickerDialog::OnOK() {
    const TIndexList selected = ListSelection(Item(IDC_PROCESS_LIST));
    if (selected.empty() || selected.front() >= static_cast<int>(FItems.size())) return false;
    Chosen = FItems[selected.front()];
    return true;
}
