// The organise dialog, the entry and page properties, the icon chooser and
// the process picker over real page sets: fields changed through the
// controls reach the model on OK, and Cancel leaves the saved bytes as they
// were. With VANTOR_DIALOG_SHOTS set to a folder, each dialog is also saved
// there as a bitmap to be looked at.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "dialogs/entry_properties.h"
#include "dialogs/icon_chooser.h"
#include "dialogs/organise_dialog.h"
#include "dialogs/organise_ids.h"
#include "dialogs/page_properties.h"
#include "dialogs/process_picker.h"
#include "recording_desktop.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

class TShownHook {
public:
    explicit TShownHook(std::function<void(TDialog&)> hook) { TDialog::ShownHook = std::move(hook); }
    ~TShownHook() { TDialog::ShownHook = nullptr; }
};

// What the dialog shows on the screen, as a 24-bit bitmap file.
void SaveShot(TDialog& dialog, const std::string& name) {
    const char* folder = std::getenv("VANTOR_DIALOG_SHOTS");
    if (!folder || !*folder) return;
    // The hook may run before the modal loop first shows the dialog.
    ShowWindow(dialog.Handle(), SW_SHOW);
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int round = 0; round < 10; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(30);
    }
    RECT r{};
    GetWindowRect(dialog.Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // The window's own surface holds what its controls painted.
    HDC window = GetWindowDC(dialog.Handle());
    BitBlt(memory, 0, 0, w, h, window, 0, 0, SRCCOPY);
    ReleaseDC(dialog.Handle(), window);
    SelectObject(memory, old);
    const DWORD stride = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    file.bfSize = file.bfOffBits + stride * h;
    std::string data(reinterpret_cast<const char*>(&file), sizeof(file));
    data.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(BITMAPINFOHEADER));
    data.append(static_cast<const char*>(bits), stride * h);
    WriteTextFile(std::string(folder) + "\\" + name + ".bmp", data);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void Type(TDialog& dialog, int id, const std::string& text) { dialog.SetItemText(id, text); }

void Choose(TDialog& dialog, int id, int index) {
    dialog.ComboSetIndex(id, index);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(dialog.Item(id)));
}

bool Enabled(TDialog& dialog, int id) { return IsWindowEnabled(dialog.Item(id)) != FALSE; }

// OK of the entry dialog looks at the paths on a worker: its answer comes
// through the dialog's messages.
void OkAndWait(TDialog& dialog) {
    dialog.ClickButton(IDOK);
    auto& entry = static_cast<TEntryPropertiesDialog&>(dialog);
    for (int i = 0; i < 2000 && entry.Checking(); ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The client area in pixels, whatever the template font's metrics.
void ExpectClientSize(TDialog& dialog, int width, int height) {
    RECT r{};
    GetClientRect(dialog.Handle(), &r);
    EXPECT_EQ(r.right, width);
    EXPECT_EQ(r.bottom, height);
}

class EditDialogsTest : public testing::Test {
protected:
    TTempFolder Folder{"vantor-edit-dialogs"};
    TWinPlatform Platform;
    TRecordingDesktop Desktop;
    TDialogHost Host;
    TVantorManager Pages{Platform};
    std::string Program = Folder / "Tools\\calc.exe";

    void SetUp() override {
        Host.Run = [](TModalForm& form) { return form.ShowModal(nullptr); };
        Host.Services = &Desktop;
        MakeFolder(Folder / "Tools");
        WriteTextFile(Program, "MZ");
        Pages.Pages(0)->Caption = "一";
        ASSERT_TRUE(Pages.AddPage("二", 2));
        ASSERT_TRUE(Pages.AddPage("三", 0));
        TVantorPage& first = *Pages.Pages(0);
        for (const char* title : {"エディタ", "表計算", "端末", "ブラウザ"})
            ASSERT_TRUE(first.Add(Program, title, "", "/q", "", ShowNormal, false, "", 0));
        first.Buttons(1)->Keyword = "calc";
        ASSERT_TRUE(first.Insert(2, SeparatorLink, "", "", "", "", ShowNormal, false, "", 0));
        ASSERT_TRUE(Pages.Pages(1)->Add(Program, "メモ", "memo", "", "", ShowMaximized, true, "", 0));
    }

    std::string Bytes() const { return Pages.SaveToBytes(); }
};

}  // namespace

TEST_F(EditDialogsTest, PagePropertiesStoreOnOkAndNothingOnCancel) {
    const std::string before = Bytes();
    TShownHook cancel([](TDialog& d) {
        Type(d, IDC_PAGE_CAPTION, "変わらない");
        d.ClickButton(IDCANCEL);
    });
    EXPECT_FALSE(EditPage(Host, *Pages.Pages(1)));
    EXPECT_EQ(Bytes(), before);

    TShownHook ok([](TDialog& d) {
        SaveShot(d, "page_properties");
        ExpectClientSize(d, 329, 227);
        EXPECT_EQ(d.ItemText(IDC_PAGE_CAPTION), "二");
        EXPECT_EQ(d.ItemText(IDC_PAGE_WIDTH), "38");  // a new page shows its style's sizes
        EXPECT_FALSE(Enabled(d, IDC_PAGE_WIDTH));     // standard layout on
        Type(d, IDC_PAGE_CAPTION, "");
        EXPECT_FALSE(Enabled(d, IDOK));
        Type(d, IDC_PAGE_CAPTION, "道具箱");
        Choose(d, IDC_PAGE_STYLE, 6);
        EXPECT_EQ(d.ItemText(IDC_PAGE_WIDTH), "70");
        d.SetChecked(IDC_PAGE_DEFAULT, false);
        d.ClickButton(IDC_PAGE_DEFAULT);
        EXPECT_TRUE(Enabled(d, IDC_PAGE_WIDTH));
        Type(d, IDC_PAGE_MARGIN, "abc");  // no number: the value shown stays
        Type(d, IDC_PAGE_TITLE, "999");   // clamped
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(EditPage(Host, *Pages.Pages(1)));
    const TVantorPage& page = *Pages.Pages(1);
    EXPECT_EQ(page.Caption, "道具箱");
    EXPECT_EQ(page.ViewStyle, 6);
    EXPECT_EQ(page.ButtonWidth, 70);
    EXPECT_EQ(page.Margin, 2);
    EXPECT_EQ(page.TitleWidth, TitleWidthMax);
    EXPECT_FALSE(page.DefaultLayout);
}

TEST_F(EditDialogsTest, SeveralPagesTakeOnlyAChosenViewStyle) {
    const std::string before = Bytes();
    TShownHook hook([](TDialog& d) {
        EXPECT_FALSE(Enabled(d, IDC_PAGE_CAPTION));
        EXPECT_FALSE(Enabled(d, IDOK));
        d.ClickButton(IDOK);  // refused while no style is chosen
        EXPECT_NE(d.Handle(), nullptr);
        Choose(d, IDC_PAGE_STYLE, 3);
        EXPECT_TRUE(Enabled(d, IDOK));
        EXPECT_FALSE(Enabled(d, IDC_PAGE_WIDTH));
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(EditPages(Host, Pages, {0, 2}));
    EXPECT_EQ(Pages.Pages(0)->ViewStyle, 3);
    EXPECT_EQ(Pages.Pages(1)->ViewStyle, 2);
    EXPECT_EQ(Pages.Pages(2)->ViewStyle, 3);
    EXPECT_EQ(Pages.Pages(0)->Caption, "一");
    EXPECT_NE(Bytes(), before);
}

TEST_F(EditDialogsTest, EntryPropertiesCheckTheTargetAndStoreEveryField) {
    TVantorButton& entry = *Pages.Pages(0)->Buttons(1);
    const std::string before = Bytes();
    TShownHook view([](TDialog& d) {
        EXPECT_FALSE(Enabled(d, IDOK));
        d.ClickButton(IDOK);
        d.ClickButton(IDCANCEL);
    });
    EXPECT_FALSE(EditButton(Host, Platform, entry, true));
    EXPECT_EQ(Bytes(), before);

    const std::string missing = Folder / "Tools\\gone.exe";
    TShownHook hook([&](TDialog& d) {
        SaveShot(d, "entry_properties");
        ExpectClientSize(d, 329, 306);
        EXPECT_EQ(d.ItemText(IDC_ENT_TITLE), "表計算");
        EXPECT_EQ(d.ComboIndex(IDC_ENT_SHOW), 0);
        Type(d, IDC_ENT_LINK, missing);
        Type(d, IDC_ENT_KEYWORD, "hyo");
        Type(d, IDC_ENT_FOLDER, Program);  // a file is no working folder
        Choose(d, IDC_ENT_SHOW, 2);
        d.SetChecked(IDC_ENT_FORBIDDEN, true);
        OkAndWait(d);
        ASSERT_EQ(Desktop.Boxes.size(), 1u);
        EXPECT_EQ(Desktop.Boxes[0], "\"" + missing + "\"が見つかりません。");
        EXPECT_EQ(GetFocus(), d.Item(IDC_ENT_LINK));
        Type(d, IDC_ENT_LINK, "http://example.com/");
        OkAndWait(d);
        ASSERT_EQ(Desktop.Boxes.size(), 2u);
        EXPECT_EQ(GetFocus(), d.Item(IDC_ENT_FOLDER));
        Type(d, IDC_ENT_FOLDER, Folder / "NotThere");  // a folder yet to be made is fine
        Type(d, IDC_ENT_ICON, Program);
        Type(d, IDC_ENT_ICON_INDEX, "99999999");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(EditButton(Host, Platform, entry, false));
    EXPECT_EQ(entry.LinkTo, "http://example.com/");
    EXPECT_EQ(entry.Keyword, "hyo");
    EXPECT_EQ(entry.WorkingDir, Folder / "NotThere");
    EXPECT_EQ(entry.ShowCmd, ShowMinimized);
    EXPECT_TRUE(entry.Forbidden);
    EXPECT_EQ(entry.Arguments, "/q");
    EXPECT_EQ(entry.IconPath, Program);
    EXPECT_EQ(entry.IconIndex, IconIndexMax);
}

TEST_F(EditDialogsTest, SeveralEntriesKeepWhatTheUserLeftAlone) {
    TVantorPage& page = *Pages.Pages(0);
    page.Buttons(3)->Forbidden = true;
    TShownHook hook([](TDialog& d) {
        EXPECT_FALSE(Enabled(d, IDC_ENT_LINK));
        EXPECT_FALSE(Enabled(d, IDC_ENT_CHANGE_ICON));
        EXPECT_EQ(d.ItemText(IDC_ENT_ARGUMENTS), "/q");  // shared by all
        EXPECT_EQ(d.ComboIndex(IDC_ENT_SHOW), 0);
        EXPECT_EQ(IsDlgButtonChecked(d.Handle(), IDC_ENT_FORBIDDEN), static_cast<UINT>(BST_INDETERMINATE));
        Type(d, IDC_ENT_FOLDER, "C:\\");
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(EditButtons(Host, Platform, page, {0, 1, 3}));
    EXPECT_EQ(page.Buttons(1)->Keyword, "calc");
    EXPECT_TRUE(page.Buttons(3)->Forbidden);
    EXPECT_FALSE(page.Buttons(0)->Forbidden);
    EXPECT_EQ(page.Buttons(0)->WorkingDir, "C:\\");
    EXPECT_EQ(page.Buttons(3)->WorkingDir, "C:\\");
    EXPECT_EQ(page.Buttons(4)->WorkingDir, "");
}

TEST_F(EditDialogsTest, OrganiseCancelPutsEverythingBack) {
    TVantorPage clipboard(Platform);
    const std::string before = Bytes();
    Desktop.Answer = IDYES;
    WriteTextFile(Folder / "一覧.txt", Program + "\r\n\r\n" + Program + "\r\n");
    TShownHook hook([&](TDialog& d) {
        auto* organise = dynamic_cast<TOrganiseDialog*>(&d);
        if (!organise) return;
        SaveShot(d, "organise");
        ExpectClientSize(d, 497, 351);
        EXPECT_EQ(ListCount(organise->PageList()), 3);
        EXPECT_EQ(ListCount(organise->EntryList()), 5);
        organise->SelectEntries({0, 1});
        d.ClickButton(IDC_ORG_CUT);
        organise->SelectPages({1});
        EXPECT_TRUE(Enabled(d, IDC_ORG_PASTE));
        d.ClickButton(IDC_ORG_PASTE);
        EXPECT_EQ(ListCount(organise->EntryList()), 3);
        organise->SelectPages({0, 2});
        EXPECT_FALSE(Enabled(d, IDC_ORG_ENTRY_ADD));
        EXPECT_EQ(ListCount(organise->EntryList()), 0);
        d.ClickButton(IDC_ORG_PAGE_DELETE);
        organise->ImportFile(Folder / "none.txt");
        EXPECT_EQ(Desktop.Boxes.back(), "\"" + (Folder / "none.txt") + "\"のインポートに失敗しました。");
        organise->ImportFile(Folder / "一覧.txt");
        EXPECT_EQ(ListCount(organise->PageList()), 2);  // two deleted, one imported
        organise->DropPageOnPage(0, 1);
        d.ClickButton(IDCANCEL);
    });
    EXPECT_FALSE(EditPageSet(Host, Platform, Pages, clipboard, false));
    EXPECT_EQ(Bytes(), before);
    ASSERT_EQ(clipboard.Count(), 2);  // the cut stays on the clipboard
    EXPECT_EQ(clipboard.Buttons(1)->Title, "表計算");
}

TEST_F(EditDialogsTest, OrganiseChangesReachTheSetOnOk) {
    TVantorPage clipboard(Platform);
    Desktop.Answer = IDYES;
    TShownHook hook([&](TDialog& d) {
        if (dynamic_cast<TEntryPropertiesDialog*>(&d)) {
            Type(d, IDC_ENT_LINK, Program);
            Type(d, IDC_ENT_TITLE, "新しい");
            d.ClickButton(IDOK);
            return;
        }
        auto* organise = dynamic_cast<TOrganiseDialog*>(&d);
        ASSERT_NE(organise, nullptr);
        // Every page selected: nothing is deleted.
        organise->SelectPages({0, 1, 2});
        d.ClickButton(IDC_ORG_PAGE_DELETE);
        ASSERT_EQ(Desktop.Boxes.size(), 1u);
        EXPECT_EQ(Desktop.Boxes[0], "ページは最低1つ必要です。");
        organise->SelectPages({0});
        organise->SelectEntries({4});
        d.ClickButton(IDC_ORG_ENTRY_DELETE);  // the last one: the new last is selected
        EXPECT_EQ(ListSelection(organise->EntryList()), TIndexList{3});
        organise->SelectEntries({});
        d.ClickButton(IDC_ORG_SEPARATOR);  // none selected: at the top
        d.ClickButton(IDC_ORG_ENTRY_ADD);
        organise->DropEntryOnEntry(4, 1);
        organise->SelectEntries({0, 1});
        organise->DropEntriesOnPage(2);
        organise->SelectPages({2});
        d.ClickButton(IDC_ORG_SORT);
        d.ClickButton(IDOK);
    });
    ASSERT_TRUE(EditPageSet(Host, Platform, Pages, clipboard, false));
    ASSERT_EQ(Pages.Count(), 3);
    std::vector<std::string> titles;
    for (int32_t i = 0; i < Pages.Pages(0)->Count(); ++i) titles.push_back(Pages.Pages(0)->Buttons(i)->Title);
    EXPECT_EQ(titles, (std::vector<std::string>{"エディタ", "表計算", "セパレータ", "新しい"}));
    ASSERT_EQ(Pages.Pages(2)->Count(), 2);
    EXPECT_EQ(Pages.Pages(2)->Buttons(0)->Title, "端末");  // sorted: separators last
    EXPECT_TRUE(Pages.Pages(2)->Buttons(1)->IsSeparator());
}

TEST_F(EditDialogsTest, SmartSetKeepsItsPage) {
    TVantorManager smart(Platform);
    TVantorPage clipboard(Platform);
    const std::string before = smart.SaveToBytes();
    TShownHook hook([&](TDialog& d) {
        auto* organise = dynamic_cast<TOrganiseDialog*>(&d);
        for (int id : {IDC_ORG_PAGE_ADD, IDC_ORG_PAGE_CHANGE, IDC_ORG_PAGE_DELETE, IDC_ORG_IMPORT, IDC_ORG_ADD_FOLDER})
            EXPECT_FALSE(Enabled(d, id));
        EXPECT_TRUE(Enabled(d, IDC_ORG_ENTRY_ADD));
        EXPECT_FALSE(Enabled(d, IDC_ORG_PASTE));
        // The key reaches the command whatever the button says.
        organise->PageDelete();
        ASSERT_EQ(Desktop.Boxes.size(), 1u);
        EXPECT_EQ(Desktop.Boxes[0], "ページは最低1つ必要です。");
        d.ClickButton(IDOK);
    });
    EXPECT_TRUE(EditPageSet(Host, Platform, smart, clipboard, true));
    EXPECT_EQ(smart.SaveToBytes(), before);
}

TEST_F(EditDialogsTest, IconChooserListsAFilesIconsByIndex) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    TIconChooserDialog chooser(std::string(system) + "\\shell32.dll");
    ASSERT_GT(chooser.IconCount(), 3);
    TShownHook hook([](TDialog& d) {
        HWND list = d.Item(IDC_ICON_LIST);
        EXPECT_FALSE(Enabled(d, IDOK));
        ListSelect(list, 3, true);
        EXPECT_TRUE(Enabled(d, IDOK));
        SaveShot(d, "icon_chooser");
        d.ClickButton(IDOK);
    });
    ASSERT_EQ(chooser.ShowModal(nullptr), IDOK);
    EXPECT_EQ(chooser.Chosen, 3);

    TIconChooserDialog none(Program);  // no icons: an empty list, OK never on
    TShownHook empty([](TDialog& d) {
        EXPECT_EQ(ListCount(d.Item(IDC_ICON_LIST)), 0);
        d.ClickButton(IDOK);
        d.ClickButton(IDCANCEL);
    });
    EXPECT_EQ(none.ShowModal(nullptr), IDCANCEL);
}

TEST_F(EditDialogsTest, ProcessPickerListsThisProgram) {
    TProcessPickerDialog picker(true);
    const std::string self = TestExecutable();
    TShownHook hook([&](TDialog& d) {
        auto& p = static_cast<TProcessPickerDialog&>(d);
        int mine = -1;
        for (size_t i = 0; i < p.Items().size(); ++i)
            if (_stricmp((p.Items()[i].Folder + p.Items()[i].Name).c_str(), self.c_str()) == 0) mine = int(i);
        ASSERT_GE(mine, 0);
        EXPECT_FALSE(Enabled(d, IDOK));
        ListSelect(d.Item(IDC_PROCESS_LIST), mine, true);
        SaveShot(d, "process_picker");
        d.ClickButton(IDOK);
    });
    ASSERT_EQ(picker.ShowModal(nullptr), IDOK);
    ASSERT_TRUE(picker.Chosen.has_value());
    EXPECT_EQ(_stricmp((picker.Chosen->Folder + picker.Chosen->Name).c_str(), self.c_str()), 0);
}
