#include "dialogs/icon_chooser.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

#include "base/handles.h"
#include "base/win_text.h"
#include "shell/native_system_folder.h"

namespace {

// More icons than any real file holds: a damaged file claiming millions
// must not keep the dialog filling for minutes.
constexpr int kMaxIcons = 4096;

}  // namespace

int TIconChooserDialog::IconCount() const {
    const UINT count = ExtractIconExW(Widen(NativePath(File)).c_str(), -1, nullptr, nullptr, 0);
    return static_cast<int>(std::min<UINT>(count, kMaxIcons));
}

bool TIconChooserDialog::OnInit() {
    UseJapaneseFont(Handle());
    PlaceInPixels(Handle(), 337, 287);
    HWND list = Item(IDC_ICON_LIST);
    const int count = IconCount();
    FImages.Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), count > 0 ? count : 1);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages.Handle()));
    const std::wstring file = Widen(NativePath(File));
    for (int i = 0; i < count; ++i) {
        HICON large = nullptr;
        if (ExtractIconExW(file.c_str(), i, &large, nullptr, 1) == 0 || !large) continue;
        TIcon icon(large);
        ListInsertItem(list, ListCount(list), std::to_string(i), FImages.AddIcon(icon.Get()));
    }
    EnableItem(IDOK, false);
    return true;
}

bool TIconChooserDialog::OnNotify(int id, NMHDR& header, LRESULT& result) {
    if (id != IDC_ICON_LIST) return TDialog::OnNotify(id, header, result);
    return PickListNotify(*this, header);
}

bool TIconChooserDialog::OnOK() {
    HWND list = Item(IDC_ICON_LIST);
    const TIndexList selected = ListSelection(list);
    if (selected.empty()) return false;
    // The caption is the icon's index in the file, whatever was skipped.
    wchar_t text[16] = {};
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 16;
    SendMessageW(list, LVM_GETITEMTEXTW, selected.front(), reinterpret_cast<LPARAM>(&item));
    Chosen = _wtoi(text);
    return true;
}
