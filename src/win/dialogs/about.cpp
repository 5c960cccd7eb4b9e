#include "dialogs/about.h"

#include "base/handles.h"
#include "dialogs/settings_ids.h"
#include "res/version.h"

TAboutDialog::TAboutDialog() : TDialog(IDD_ABOUT) {}

std::string TAboutDialog::VersionText() { return std::string("Version ") + VANTOR_VERSION_TEXT; }

bool TAboutDialog::OnInit() {
    // The box is laid out in pixels: the strip, the icon and the rule are
    // painted at fixed places, and the labels must sit beside them.
    SetClientSize(363, 119);
    SetItemBounds(IDC_ABOUT_TITLE, 80, 8, 200, 40);
    SetItemBounds(IDC_ABOUT_VERSION, 80, 80, 190, 16);
    SetItemBounds(IDOK, 280, 88, 75, 25);
    LOGFONTW title{};
    title.lfHeight = -32;
    title.lfWeight = FW_NORMAL;
    title.lfCharSet = DEFAULT_CHARSET;
    wcscpy(title.lfFaceName, L"Impact");
    FTitleFont.Reset(CreateFontIndirectW(&title));
    if (FTitleFont) SendMessageW(Item(IDC_ABOUT_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(FTitleFont.Get()), FALSE);
    SetItemText(IDC_ABOUT_VERSION, VersionText());
    return true;
}

bool TAboutDialog::OnMessage(UINT msg, WPARAM, LPARAM, INT_PTR& result) {
    if (msg != WM_PAINT) return false;
    TPaintDC dc(Handle());
    FormPaint(dc.DC());
    result = TRUE;
    return true;
}

void TAboutDialog::FormPaint(HDC dc) {
    // The NT family's look of the strip: the inactive caption colour.
    RECT strip{8, 8, 8 + 64, 8 + 104};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_INACTIVECAPTION));
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    if (icon) DrawIconEx(dc, 24, 16, icon, 32, 32, 0, nullptr, DI_NORMAL);
    TPen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    TPen highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    {
        TSelectObject pen(dc, shadow.Get());
        MoveToEx(dc, 80, 71, nullptr);
        LineTo(dc, 272, 71);
    }
    {
        TSelectObject pen(dc, highlight.Get());
        MoveToEx(dc, 80, 72, nullptr);
        LineTo(dc, 272, 72);
    }
}

void ShowAboutDialog(TVantor& vantor) {
    TAboutDialog dialog;
    dialog.Services = &vantor.Services();
    vantor.RunModal(dialog);
}
