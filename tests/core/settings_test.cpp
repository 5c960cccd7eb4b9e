#include "settings/settings.h"

#include <gtest/gtest.h>

#include "errors.h"
#include "fake_platform.h"
#include "model/vantor_classes.h"
#include "settings/keys.h"
#include "settings/name_value.h"

static const char DataFolder[] = "C:\\Data\\";

static TSettingsReadOptions Options(bool meter = true) {
    TSettingsReadOptions options;
    options.DataFolder = DataFolder;
    options.ResourceMeterAvailable = meter;
    return options;
}

static TProfile ProfileOf(const std::string& text) {
    TProfile ini;
    ini.LoadFromBytes(text);
    return ini;
}

static std::string WrittenBytes(const TVantorSettings& settings, int32_t currentButton = 0,
                                const TFolderHistory& history = TFolderHistory()) {
    TProfile ini;
    settings.WriteSettings(ini, currentButton, history);
    return ini.SaveToBytes();
}

// Stands in for the page set, which keeps the current page within its pages.
class TPagedSettings : public TVantorSettings {
public:
    TPagedSettings(TPlatform& platform, int32_t pages) : TVantorSettings(platform), Pages(pages) {}
    int32_t Pages;
    int32_t Current = 0;

protected:
    int32_t GetCurrentPageForSettings() const override { return Current; }
    void SetCurrentPageFromSettings(int32_t value) override { Current = std::max(0, std::min(value, Pages - 1)); }
};

TEST(Settings, DefaultsWithoutAFile) {
    TFakePlatform platform;
    platform.Fonts = {"MS UI Gothic"};
    TVantorSettings settings(platform);
    EXPECT_EQ(settings.FontName(), "MS UI Gothic");
    EXPECT_EQ(settings.ShortCuts.size(), 37u);
    EXPECT_EQ(settings.Sounds.size(), 10u);

    TSettingsReadResult result = settings.ReadSettings(TProfile(), Options(true));
    EXPECT_EQ(result.Version, 0);
    EXPECT_EQ(result.CurrentButton, 0);
    EXPECT_EQ(settings.ButtonStyle(), 1);
    EXPECT_EQ(settings.CalcResourceInterval(), 1000);
    EXPECT_EQ(settings.MinTabWidth(), 16);
    EXPECT_EQ(settings.ResourceRed(), 20);
    EXPECT_EQ(settings.ShowPause, 500);
    EXPECT_TRUE(settings.VisibleButtons.Shutdown);
    EXPECT_FALSE(settings.VisibleFolders.RecycleBin);
    EXPECT_EQ(settings.Colors, DefaultColors);
    ASSERT_EQ(settings.CustomExts.Count(), 8u);
    EXPECT_EQ(settings.CustomExts[4], ".html");
    EXPECT_TRUE(settings.ShortCuts.empty());
    EXPECT_TRUE(settings.Sounds.empty());  // no sound until the user sets one
    for (const auto& bar : settings.Bars) {
        EXPECT_TRUE(bar.Show);
        EXPECT_TRUE(bar.Docking);
    }
    EXPECT_EQ(settings.DockOrder, (std::vector<int32_t>{BarSmart, BarKeyword, BarHistory, BarResource}));
    EXPECT_EQ(result.DockPositions, (std::array<int32_t, 4>{0, 1, 2, 3}));

    TVantorSettings withoutMeter(platform);
    result = withoutMeter.ReadSettings(TProfile(), Options(false));
    EXPECT_FALSE(withoutMeter.Bars[BarResource].Show);
    EXPECT_EQ(withoutMeter.DockOrder, (std::vector<int32_t>{BarSmart, BarKeyword, BarHistory}));
    EXPECT_EQ(result.DockPositions[BarResource], -1);

    TFakePlatform bare;
    EXPECT_EQ(TVantorSettings(bare).FontName(), FallbackFontName);
}

TEST(Settings, ClampsAndCompatibilityRules) {
    TFakePlatform platform;
    platform.Fonts = {"MS UI Gothic"};
    TVantorSettings settings(platform);
    settings.ReadSettings(ProfileOf("[Settings]\nVersion=600\nHideWidth=0\nCalcResourceInterval=9999\n"
                                    "ShowPause=-77\nMaxTabWidth=20\nMinTabWidth=40\nResourceYellow=30\n"
                                    "ResourceRed=50\nCornerCallLeftUp=9\nCornerCallRightDown=4\nFilerType=258\n"
                                    "FontName=No Such Font\nTransparent=$FF\nPointPause=abc\n"
                                    "[Exts]\nCustomExt0=.xyz\n"),
                          Options());
    EXPECT_EQ(settings.HideWidth(), 1);
    EXPECT_EQ(settings.CalcResourceInterval(), 5000);
    EXPECT_EQ(settings.ShowPause, -77);
    EXPECT_EQ(settings.MaxTabWidth(), 20);
    EXPECT_EQ(settings.MinTabWidth(), 20);
    EXPECT_EQ(settings.ResourceYellow(), 30);
    EXPECT_EQ(settings.ResourceRed(), 30);
    EXPECT_EQ(settings.CornerCall(0), 0);
    EXPECT_EQ(settings.CornerCall(3), 4);
    EXPECT_EQ(settings.FilerType(), 2);
    EXPECT_EQ(settings.FontName(), FallbackFontName);
    EXPECT_EQ(settings.Transparent(), 80);
    EXPECT_EQ(settings.PointPause(), 500);
    EXPECT_EQ(settings.CustomExts.Count(), 8u);  // before version 656 the defaults stay

    settings.ReadSettings(ProfileOf("[Settings]\nVersion=656\n[Exts]\nCustomExt0=.Txt\nCustomExt3=.abc\n"
                                    "CustomExt255=.TXT\nCustomExt256=.late\n[Folders]\nCustomFolder31=C:\\b\n"
                                    "CustomFolder0=C:\\A\nCustomFolder32=C:\\c\n"),
                          Options());
    EXPECT_EQ(settings.CustomExts.Items(), (std::vector<std::string>{".abc", ".Txt"}));
    EXPECT_EQ(settings.CustomFolders.Items(), (std::vector<std::string>{"C:\\A", "C:\\b"}));

    // The setters on their own.
    settings.SetCornerCall(4, 1);
    settings.SetCornerCall(1, -1);
    EXPECT_EQ(settings.CornerCall(1), 0);
    settings.SetMaxTabWidth(128);
    settings.SetMinTabWidth(100);
    settings.SetMaxTabWidth(50);
    EXPECT_EQ(settings.MinTabWidth(), 50);
    settings.SetResourceYellow(10);
    EXPECT_EQ(settings.ResourceRed(), 10);
    settings.SetFilerType(256);
    EXPECT_EQ(settings.FilerType(), 0);
    settings.SetFontName("MS UI Gothic");
    EXPECT_EQ(settings.FontName(), "MS UI Gothic");
    EXPECT_FALSE(settings.CustomExts.Add(".ABC"));
    EXPECT_TRUE(settings.CustomExts.Add(".b"));
    EXPECT_EQ(settings.CustomExts[1], ".b");
}

TEST(Settings, Colors) {
    EXPECT_EQ(ColorToText(0x8000000F), "8000000F");
    EXPECT_EQ(ColorToText(0xFF), "0000FF");
    EXPECT_EQ(ColorFromText("FF"), 0xFFu);
    EXPECT_EQ(ColorFromText("xyz"), 0u);
    EXPECT_EQ(ColorFromText(""), 0u);
    EXPECT_EQ(ColorFromText("0x12"), 0u);

    TFakePlatform platform;
    TVantorSettings settings(platform);
    settings.ReadSettings(ProfileOf("[Colors]\nCustomColor=1\nColor0=FF\nColor1=xyz\nColor2=\n"), Options());
    EXPECT_TRUE(settings.CustomColor);
    EXPECT_EQ(settings.Colors[TVantorSettings::BackgroundColor], 0xFFu);
    EXPECT_EQ(settings.Colors[TVantorSettings::TextColor], 0u);
    EXPECT_EQ(settings.Colors[TVantorSettings::TitleColor], 0u);
    EXPECT_EQ(settings.Colors[TVantorSettings::BackTitleColor], 0x80000002u);
}

TEST(Settings, WritingAndReadingKeepsEveryValue) {
    TFakePlatform platform;
    platform.Fonts = {"MS UI Gothic", "Arial"};
    TPagedSettings settings(platform, 5);
    settings.ConfirmShutdown = false;
    settings.AutoHide = false;
    settings.FilerName = "  C:\\Tools\\filer.exe ";
    settings.WallpaperName = "\"C:\\壁紙.bmp\"";
    settings.SetFontName("Arial");
    settings.SetButtonStyle(4);
    settings.SetCornerCall(2, 7);
    settings.SetFilerType(1);
    settings.SetMaxTabWidth(100);
    settings.SetMinTabWidth(30);
    settings.ShowPause = 12345;
    settings.VisibleButtons.StopAutoRun = true;
    settings.VisibleFolders.Temp = true;
    settings.CustomColor = true;
    settings.Colors[TVantorSettings::FocusColor] = 0x00123456;
    settings.CustomExts.Clear();
    settings.CustomExts.Add(".pdf");
    settings.CustomFolders.Add("D:\\Work");
    settings.ShortCuts = {"MActivate=Ctrl+Alt+Q", "MHelp=*None"};
    settings.Sounds = {"Launch=C:\\ding.wav"};
    settings.Bars[BarKeyword].ScrollPos = -120;
    settings.Bars[BarHistory].ScrollPos = -40;
    settings.Bars[BarSmart].Docking = false;
    settings.Bars[BarHistory].Show = false;
    settings.DockOrder = {BarHistory, BarKeyword};
    settings.Current = 3;
    TFolderHistory history;
    history.Items = {"C:\\Two", "C:\\One"};

    TProfile ini = ProfileOf("[DockLocations]\nLeft=10\n[Other]\nKeep=me\n");
    settings.WriteSettings(ini, 7, history);
    std::string bytes = ini.SaveToBytes();
    TProfile reloaded = ProfileOf(bytes);
    EXPECT_EQ(reloaded.ReadInteger("DockLocations", "Left", 0), 10);
    EXPECT_EQ(reloaded.ReadString("Other", "Keep", ""), "me");
    EXPECT_EQ(reloaded.ReadInteger("Settings", "Version", 0), 768);
    EXPECT_EQ(reloaded.ReadString("Colors", "Color0", ""), "8000000F");
    EXPECT_EQ(reloaded.ReadString("ShortCuts", "ShortCut0", ""), "MActivate=Ctrl+Alt+Q");
    EXPECT_EQ(reloaded.ReadString("History", "FolderHistory1", ""), "C:\\One");

    TPagedSettings again(platform, 5);
    TSettingsReadResult result = again.ReadSettings(reloaded, Options());
    EXPECT_EQ(result.CurrentButton, 7);
    EXPECT_EQ(again.Current, 3);
    EXPECT_FALSE(again.ConfirmShutdown);
    EXPECT_EQ(again.FilerName, settings.FilerName);
    EXPECT_EQ(again.WallpaperName, settings.WallpaperName);
    EXPECT_EQ(again.Bars[BarKeyword].ScrollPos, -120);
    EXPECT_EQ(again.Bars[BarHistory].ScrollPos, -40);
    EXPECT_EQ(again.DockOrder, (std::vector<int32_t>{BarHistory, BarKeyword}));
    EXPECT_EQ(WrittenBytes(again, 7, history), WrittenBytes(settings, 7, history));

    // The page set clamps what it is given.
    TPagedSettings fewPages(platform, 2);
    fewPages.ReadSettings(reloaded, Options());
    EXPECT_EQ(fewPages.Current, 1);
}

TEST(Settings, DockOrderOfNewerFiles) {
    TFakePlatform platform;
    TVantorSettings settings(platform);
    TSettingsReadResult result = settings.ReadSettings(
        ProfileOf("[Settings]\nVersion=560\n[SmartBar]\nDocking=1\n[ResourceBar]\nShow=1\n"
                  "[DockOrder]\nDockOrder0=ResourceBar\nDockOrder1=Nonsense\nDockOrder2=HistoryBar\n"
                  "DockOrder3=historybar\nDockOrder4=SmartBar\n"),
        Options(false));
    EXPECT_EQ(settings.DockOrder, (std::vector<int32_t>{BarHistory}));
    EXPECT_EQ(result.DockPositions, (std::array<int32_t, 4>{-1, -1, 2, -1}));
    EXPECT_TRUE(settings.Bars[BarSmart].Docking);
    EXPECT_FALSE(settings.Bars[BarKeyword].Docking);
    EXPECT_FALSE(settings.Bars[BarResource].Show);  // no meter, no resource bar
}

TEST(Settings, OlderKeyAndSoundFilesAreTakenOnce) {
    TFakePlatform platform;
    platform.AddFile("C:\\Data\\Keys.def", "MHelp=F2\r\nMExit=Ctrl+Q\r\n");
    platform.AddFile("C:\\Data\\Sounds.def", "Launch=*SystemStart\r\n");
    TVantorSettings settings(platform);
    settings.ReadSettings(ProfileOf("[Settings]\nVersion=768\n"), Options());
    EXPECT_EQ(settings.ShortCuts, (std::vector<std::string>{"MHelp=F2", "MExit=Ctrl+Q"}));
    EXPECT_EQ(settings.Sounds, (std::vector<std::string>{"Launch=*SystemStart"}));
    // They stay until the settings file holds their lines.
    EXPECT_TRUE(platform.FileExists("C:\\Data\\Keys.def"));
    EXPECT_EQ(settings.MigratedFiles.size(), 2u);
    // Once it does, files that would not go (read-only) are not read again:
    // they would undo every later change.
    settings.MigratedFiles.clear();
    settings.ReadSettings(ProfileOf("[ShortCuts]\nShortCut0=MHelp=F3\n[Sounds]\n"), Options());
    EXPECT_EQ(settings.ShortCuts, (std::vector<std::string>{"MHelp=F3"}));
    EXPECT_TRUE(settings.Sounds.empty());
    EXPECT_TRUE(settings.MigratedFiles.empty());
    for (const char* file : {"C:\\Data\\Keys.def", "C:\\Data\\Sounds.def"}) platform.RemoveFile(file);

    // Without the files the sections count, up to 40 and 10 keys.
    std::string text = "[ShortCuts]\n";
    for (int i = 0; i < 45; ++i) text += "ShortCut" + std::to_string(i) + "=L" + std::to_string(i) + "=F1\n";
    text += "[Sounds]\nSound3=Launch=a.wav\nSound10=Delete=b.wav\n";
    settings.ReadSettings(ProfileOf(text), Options());
    EXPECT_EQ(settings.ShortCuts.size(), 40u);
    EXPECT_EQ(settings.Sounds, (std::vector<std::string>{"Launch=a.wav"}));

    // A section lacking MHelp gets it back from the defaults, and the next save writes it.
    settings.ShortCuts = {"MActivate=Ctrl+Alt+L"};
    MergeKeyDefinitions(settings.ShortCuts);
    EXPECT_EQ(ListValue(settings.ShortCuts, "MHelp"), "F1");
    EXPECT_NE(WrittenBytes(settings).find("=MHelp=F1\r\n"), std::string::npos);
}

TEST(Settings, SettingsFileIsReplacedInOneStep) {
    TFakePlatform platform;
    platform.AddFile("C:\\Data\\Vantor.ini", "[Settings]\nAutoHide=0\n");
    TVantorSettings settings(platform);
    TProfile ini;
    ASSERT_TRUE(ini.LoadFromFile(platform, "C:\\Data\\Vantor.ini"));
    settings.ReadSettings(ini, Options());
    settings.WriteSettings(ini, 0, TFolderHistory());
    platform.FailWrites = true;
    EXPECT_THROW(ini.SaveToFile(platform, "C:\\Data\\Vantor.ini"), EVantorError);
    std::string bytes;
    ASSERT_TRUE(platform.ReadWholeFile("C:\\Data\\Vantor.ini", bytes));
    EXPECT_EQ(bytes, "[Settings]\nAutoHide=0\n");
}

TEST(SettingsOnManager, CurrentPageFromFileIsClampedToThePages) {
    TFakePlatform platform;
    TVantorManager pages(platform);
    pages.AddPage("", 0);
    pages.AddPage("", 0);
    TProfile ini;
    ini.WriteInteger("Settings", "CurrentPage", 9);
    pages.ReadSettings(ini, TSettingsReadOptions());
    EXPECT_EQ(pages.CurrentPage(), 2);
    pages.SetCurrentPage(1);
    TProfile out;
    pages.WriteSettings(out, 0, TFolderHistory());
    EXPECT_EQ(out.ReadInteger("Settings", "CurrentPage", -1), 1);
}
