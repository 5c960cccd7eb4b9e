#include <gtest/gtest.h>

#include "fake_platform.h"
#include "settings/folder_history.h"
#include "settings/placement.h"

TEST(FolderHistory, OlderFileIsTakenOnceAndCutTo16) {
    TFakePlatform platform;
    std::string lines;
    for (int i = 0; i < 20; ++i) lines += "C:\\Folder" + std::to_string(i) + "\r\n";
    platform.AddFile("C:\\Data\\Vantor.fhi", lines);
    TProfile ini;
    ini.LoadFromBytes("[Settings]\nVersion=768\n");
    TFolderHistory history;
    history.Read(ini, platform, "C:\\Data\\");
    ASSERT_EQ(history.Items.size(), 16u);
    EXPECT_EQ(history.Items[15], "C:\\Folder15");
    // The older file stays until the settings file holds its folders.
    EXPECT_TRUE(platform.FileExists("C:\\Data\\Vantor.fhi"));
    EXPECT_EQ(history.MigratedFiles, std::vector<std::string>{"C:\\Data\\Vantor.fhi"});

    // Once it does, a file that would not go is not read again, even when the
    // user has emptied the history since.
    TFolderHistory emptied;
    emptied.Write(ini);
    emptied.Read(ini, platform, "C:\\Data\\");
    EXPECT_TRUE(emptied.Items.empty());
    EXPECT_TRUE(emptied.MigratedFiles.empty());
    platform.RemoveFile("C:\\Data\\Vantor.fhi");

    history.Write(ini);
    EXPECT_EQ(ini.ReadString("History", "FolderHistory0", ""), "C:\\Folder0");
    EXPECT_EQ(ini.ReadString("History", "FolderHistory15", ""), "C:\\Folder15");

    TFolderHistory fromIni;
    ini.WriteString("History", "FolderHistory3", "");
    fromIni.Read(ini, platform, "C:\\Data\\");
    EXPECT_EQ(fromIni.Items.size(), 15u);  // empty values are gaps
}

TEST(FolderHistory, UpdateMovesToTopAndDropsTheOldest) {
    TFolderHistory history;
    for (int i = 0; i < 16; ++i) history.Add("C:\\F" + std::to_string(i));
    history.Add("c:\\f3");
    EXPECT_EQ(history.Items.size(), 16u);
    EXPECT_EQ(history.Items[0], "c:\\f3");
    EXPECT_EQ(history.Items[15], "C:\\F0");
    history.Add("C:\\New");
    EXPECT_EQ(history.Items.size(), 16u);
    EXPECT_EQ(history.Items[0], "C:\\New");
    EXPECT_EQ(history.Items[15], "C:\\F1");
    history.Add("");
    EXPECT_EQ(history.Items[0], "C:\\New");

    TFakePlatform platform;
    platform.AddFolder("C:\\Dir");
    EXPECT_EQ(FolderHistoryEntryFor(platform, "C:\\Dir"), "C:\\Dir");
    EXPECT_EQ(FolderHistoryEntryFor(platform, "C:\\Dir\\file.txt"), "C:\\Dir");
    EXPECT_EQ(FolderHistoryEntryFor(platform, "C:\\file.txt"), "C:\\");
    EXPECT_EQ(FolderHistoryEntryFor(platform, ""), "");
}

TEST(Placement, SaveErasesAndLoadDefaultsToTheWindow) {
    TProfile ini;
    ini.LoadFromBytes("[DockLocations]\nMaximized=1\nStale=x\n[Other]\nA=1\n");
    TPlacement restored;
    restored.Left = 10;
    restored.Top = 20;
    restored.Width = 300;
    restored.Height = 400;
    restored.Maximized = true;  // the caller passes the normal rectangle of a maximised window
    SavePlacement(ini, "DockLocations", KeepBounds, restored);
    EXPECT_EQ(ini.SaveToBytes(),
              "[Other]\r\nA=1\r\n[DockLocations]\r\nLeft=10\r\nTop=20\r\nWidth=300\r\nHeight=400\r\n");

    TPlacement current;
    current.Left = 1;
    current.Top = 2;
    current.Width = 3;
    current.Height = 4;
    current.CurrentDir = "C:\\Now";
    ini.WriteString("DockLocations", "Top", "bad");
    TPlacement loaded = LoadPlacement(ini, "DockLocations", KeepAll, current);
    EXPECT_EQ(loaded.Left, 10);
    EXPECT_EQ(loaded.Top, 2);
    EXPECT_EQ(loaded.Width, 300);
    EXPECT_FALSE(loaded.Maximized);
    EXPECT_EQ(loaded.CurrentDir, "C:\\Now");

    SavePlacement(ini, "P", KeepAll, restored);
    loaded = LoadPlacement(ini, "P", KeepMaximize | KeepCurrentDir, current);
    EXPECT_TRUE(loaded.Maximized);
    EXPECT_EQ(loaded.Left, 1);

    TLocationKeeperConfig keeper;
    EXPECT_EQ(keeper.SectionName(), "Locations");
    keeper.SetSectionName("");
    EXPECT_EQ(keeper.SectionName(), "Locations");
    EXPECT_EQ(keeper.IniPath("C:\\Prog\\"), "C:\\Prog\\Plexa.ini");
    keeper.SetFileName("D:\\Data\\Vantor.ini");
    EXPECT_EQ(keeper.IniPath("C:\\Prog\\"), "D:\\Data\\Vantor.ini");
    keeper.SetProviderName("Orvane");
    keeper.SetProductName("Vantor");
    EXPECT_EQ(keeper.RegistryKey(), "\\Software\\Orvane\\Vantor");
}
