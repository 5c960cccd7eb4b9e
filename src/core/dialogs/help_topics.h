// What the program's help opens for each of its windows: a topic of an older
// help file by its number, and the page of the manual that tells of the same
// window. The manual is a folder of HTML pages beside the program
// ("manual\index.html" and a page per window, dialog and settings tab); a
// help file of the program's own beside it wins when it is there.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct THelpTopic {
    int32_t Context = 0;  // the help file's topic number; 0: its contents
    std::string Page;     // the manual's page, "organise.html"; empty: no help
    bool operator==(const THelpTopic& other) const { return Context == other.Context && Page == other.Page; }
};

// The windows with a help button, and the help menu's own topic.
enum class THelpWindow {
    Contents,  // トピックの検索 (F1)
    Organise,
    PageProperties,
    EntryProperties,
    ProcessPicker,
    Settings,
    RunWithArguments,
};

THelpTopic HelpTopicOf(THelpWindow window);
// The settings dialog on its tab `page` (TSettingsPage): the settings topic
// of the help file, the tab's own page of the manual.
THelpTopic SettingsHelpTopic(int32_t page);

// Every page of the manual that the program opens, for the tests that look
// for them.
std::vector<std::string> ManualPagesOpened();

// How a topic opens: the first of these beside the program that is there.
enum class THelpSource {
    HtmlHelp,  // "Vantor.chm", opened as a whole
    WinHelp,   // "Vantor.hlp", at the topic's number
    Manual,    // the manual's page, or its contents when the page is missing
    Missing,   // none of them: File names the manual's page looked for
};

struct THelpChoice {
    THelpSource Source = THelpSource::Missing;
    std::string File;  // full path
};

// The manual's folder inside the program's folder (with a trailing backslash).
extern const char ManualFolderName[];

// `programFolder` ends with a backslash; `exists` says whether a file is there.
THelpChoice ChooseHelp(const std::string& programFolder, const THelpTopic& topic,
                       const std::function<bool(const std::string&)>& exists);
