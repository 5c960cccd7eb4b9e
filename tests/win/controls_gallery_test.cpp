// A window showing every control in every look, for looking at them:
//   vantor_win_tests.exe --gtest_also_run_disabled_tests --gtest_filter=*Gallery*
// stays open VANTOR_GALLERY_SECONDS seconds (default 5), or until closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/win_text.h"
#include "base/window.h"
#include "controls/launcher_button.h"
#include "controls/narrow_tab.h"
#include "controls/paint_panel.h"
#include "controls/scroll_box_ex.h"
#include "controls/separator.h"

namespace {

const char* const GalleryTargets[20] = {"C:\\windows\\notepad.exe",
                                        "C:\\windows\\system32\\winecfg.exe",
                                        "C:\\windows\\regedit.exe",
                                        "C:\\windows\\system32\\cmd.exe",
                                        "C:\\windows\\explorer.exe",
                                        "C:\\windows",
                                        "C:\\windows\\win.ini",
                                        "http://www.example.com/",
                                        "C:\\nothing\\here.exe",
                                        "C:\\windows\\system32\\control.exe",
                                        "C:\\windows\\system32\\taskmgr.exe",
                                        "C:\\windows\\system32\\msiexec.exe",
                                        "C:\\windows\\system32\\shell32.dll",
                                        "C:\\windows\\system32\\shell32.dll",
                                        "C:\\windows\\system32\\write.exe",
                                        "C:\\windows\\system32\\winemine.exe",
                                        "C:\\windows\\winhlp32.exe",
                                        "C:\\windows\\system32",
                                        "HTTP://www.example.org/",
                                        "C:\\windows\\system32\\notepad.exe"};
const int GalleryIndexes[20] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 3, 10, -1, -1, -1, -1, -1, -1};
const char* const StyleNames[5] = {"標準", "フラット", "オリジナルA", "オリジナルB", "グラデーション"};

class TGalleryWindow : public TWindow {
public:
    ~TGalleryWindow() override { DestroyHandle(); }
    bool Create() {
        return CreateHandle(L"VantorGallery", 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, L"Gallery", 0, 0, 1270, 1000);
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_ERASEBKGND) {
            RECT r;
            GetClientRect(Handle(), &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        return DefaultHandler(msg, wParam, lParam);
    }
};

HFONT UiFont() { return CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, L"ＭＳ Ｐゴシック"); }

}  // namespace

TEST(ControlsGallery, DISABLED_Gallery) {
    TGalleryWindow window;
    ASSERT_TRUE(window.Create());
    TPaintPanel panel;
    ASSERT_TRUE(panel.Create(window.Handle(), TBounds{0, 0, 1260, 560}));
    HFONT font = UiFont();
    panel.OnPaint = [font](TPaintPanel&, HDC dc, const RECT& clip) {
        FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        for (int row = 0; row < 5; ++row) {
            const std::wstring name = Widen(StyleNames[row]);
            TextOutW(dc, 860, 24 + row * 46, name.c_str(), static_cast<int>(name.size()));
        }
        const std::wstring sizes = Widen("小さいアイコン / 特大のアイコン");
        TextOutW(dc, 10, 236, sizes.c_str(), static_cast<int>(sizes.size()));
        SelectObject(dc, old);
    };

    TLauncherButtonCache cache;
    cache.SetCacheSize(256);
    std::vector<std::unique_ptr<TLauncherButton>> buttons;
    auto addButton = [&](int i, int style, bool large, const TBounds& b) {
        auto button = std::make_unique<TLauncherButton>();
        button->SetCache(&cache);
        button->ApplyButtonStyleSetting(style);
        button->SetLargeIcon(large);
        button->SetBounds(b);
        button->SetIconSource(GalleryTargets[i], GalleryIndexes[i]);
        panel.Controls().Add(*button);
        buttons.push_back(std::move(button));
    };
    for (int style = 0; style < 5; ++style) {
        for (int i = 0; i < 20; ++i) addButton(i, style, true, TBounds{10 + i * 42, 10 + style * 46, 40, 40});
    }
    for (int i = 0; i < 20; ++i) addButton(i, 1, false, TBounds{10 + i * 26, 254, 24, 24});
    for (int i = 0; i < 12; ++i) addButton(i, 4, true, TBounds{10 + i * 74, 284, 72, 72});
    // A pressed and a checked look.
    buttons[20]->SetButtonType(itCheck);
    buttons[20]->SetDown(true);

    TSeparator horizontal, vertical, space;
    horizontal.SetKind(skHorizonal);
    horizontal.SetBounds(10, 362, 600, 4);
    vertical.SetKind(skVertical);
    vertical.SetBounds(620, 240, 8, 120);
    space.SetKind(skSpace);
    space.SetBounds(640, 240, 2, 120);
    panel.Controls().Add(horizontal);
    panel.Controls().Add(vertical);
    panel.Controls().Add(space);

    TScrollBoxEx box;
    ASSERT_TRUE(box.Create(panel.Handle(), TBounds{900, 250, 200, 150}));
    TPaintPanel content;
    ASSERT_TRUE(content.Create(box.Handle(), TBounds{0, 0, 200, 150}));
    content.OnPaint = [font](TPaintPanel&, HDC dc, const RECT& clip) {
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        for (int y = clip.top / 20 * 20; y < clip.bottom; y += 20) {
            RECT band{clip.left, y, clip.right, y + 20};
            HBRUSH brush = CreateSolidBrush((y / 20) % 2 ? RGB(255, 255, 255) : RGB(220, 230, 255));
            FillRect(dc, &band, brush);
            DeleteObject(brush);
            const std::wstring text = Widen("行" + std::to_string(y / 20));
            TextOutW(dc, 4, y + 4, text.c_str(), static_cast<int>(text.size()));
        }
        SelectObject(dc, old);
    };
    box.SetContent(content.Handle());
    box.SetVertRange(600);
    box.SetVertPosition(100);

    // Tab strips on every side, in both modes.
    std::vector<std::unique_ptr<TNarrowTab>> tabs;
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    auto addStrip = [&](TNarrowTabPosition position, bool verticalMode, const TBounds& b, int selected) {
        auto strip = std::make_unique<TNarrowTab>();
        ASSERT_TRUE(strip->Create(window.Handle(), b));
        strip->SetFont(lf);
        strip->SetLeftMargin(2);
        strip->SetRightMargin(2);
        strip->SetVertical(verticalMode);
        strip->SetPosition(position);
        strip->SetSelectedColor(RGB(255, 255, 224));
        for (int i = 0; i < 12; ++i)
            strip->Tabs().Add(i == 3 ? "とても長いページの名前です" : "ページ" + std::to_string(i + 1));
        strip->SetTabIndex(selected);
        tabs.push_back(std::move(strip));
    };
    addStrip(tpTop, false, TBounds{10, 570, 560, 22}, 2);
    addStrip(tpBottom, false, TBounds{10, 600, 560, 22}, 2);
    addStrip(tpTop, true, TBounds{10, 630, 560, 64}, 4);
    addStrip(tpBottom, true, TBounds{10, 700, 560, 64}, 4);
    addStrip(tpLeft, false, TBounds{600, 570, 22, 400}, 1);
    addStrip(tpRight, false, TBounds{630, 570, 22, 400}, 1);
    addStrip(tpLeft, true, TBounds{670, 570, 70, 400}, 5);
    addStrip(tpRight, true, TBounds{750, 570, 70, 400}, 5);

    ShowWindow(window.Handle(), SW_SHOW);
    UpdateWindow(window.Handle());
    const char* env = std::getenv("VANTOR_GALLERY_SECONDS");
    const DWORD seconds = env ? static_cast<DWORD>(std::atoi(env)) : 5;
    const DWORD end = GetTickCount() + seconds * 1000;
    MSG msg;
    while (IsWindow(window.Handle()) && static_cast<int>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    tabs.clear();
    DeleteObject(font);
}
