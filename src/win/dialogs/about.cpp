#include "dialogs/about.h"

#include "base/handles.h"
#include "base/window_dpi.h"
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
    title.lfHeight = -ScaledForWindow(Handle(), 32);
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
    const auto px = [this](int value) { return ScaledForWindow(Handle(), value); };
    RECT strip{px(8), px(8), px(8 + 64), px(8 + 104)};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_INACTIVECAPTION));
    const int size = px(32);
    TIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, 0)));
    if (icon) DrawIconEx(dc, px(24), px(16), icon.Get(), size, size, 0, nullptr, DI_NORMAL);
    TPen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    TPen highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    {
        TSelectObject pen(dc, shadow.Get());
        MoveToEx(dc, px(80), px(71), nullptr);
        LineTo(dc, px(272), px(71));
    }
    {
        TSelectObject pen(dc, highlight.Get());
        MoveToEx(dc, px(80), px(71) + 1, nullptr);
        LineTo(dc, px(272), px(71) + 1);
    }
}

void ShowAboutDialog(const TDialogHost& host) {
    TAboutDialog dialog;
    dialog.Services = host.Services;
    host.Run(dialog);
}
