// The help the windows open: the program's own help file wins when it lies
// beside the program, else the manual's page for the window (or tab), else the
// user is told what is missing; and every page the program opens is a page
// of the manual that ships with it.
#include "dialogs/help_topics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "dialogs/settings_pages.h"

namespace {

const std::string kProgram = "C:\\Vantor\\";

THelpChoice ChooseWith(const std::set<std::string>& files, const THelpTopic& topic) {
    return ChooseHelp(kProgram, topic, [&files](const std::string& path) { return files.count(path) > 0; });
}

}  // namespace

TEST(HelpTopics, TheProgramsHelpFileWinsThenTheManualsPageThenItsContents) {
    const THelpTopic layout = SettingsHelpTopic(spLayout);
    const std::string page = kProgram + "manual\\settings-layout.html";
    const std::string contents = kProgram + "manual\\index.html";
    std::set<std::string> files = {kProgram + "Vantor.chm", kProgram + "Vantor.hlp", page, contents};
    EXPECT_EQ(ChooseWith(files, layout).Source, THelpSource::HtmlHelp);
    files.erase(kProgram + "Vantor.chm");
    const THelpChoice help = ChooseWith(files, layout);
    EXPECT_EQ(help.Source, THelpSource::WinHelp);
    EXPECT_EQ(help.File, kProgram + "Vantor.hlp");
    files.erase(kProgram + "Vantor.hlp");
    EXPECT_EQ(ChooseWith(files, layout).File, page);
    // A manual of another version without the page: its contents.
    files.erase(page);
    const THelpChoice older = ChooseWith(files, layout);
    EXPECT_EQ(older.Source, THelpSource::Manual);
    EXPECT_EQ(older.File, contents);
    // Nothing at all: the page looked for is named.
    const THelpChoice none = ChooseWith({}, layout);
    EXPECT_EQ(none.Source, THelpSource::Missing);
    EXPECT_EQ(none.File, page);
    // The help menu's topic is the manual's contents.
    EXPECT_EQ(ChooseWith({contents}, HelpTopicOf(THelpWindow::Contents)).File, contents);
}

TEST(HelpTopics, EveryPageTheProgramOpensIsInTheManualAndEachSettingsTabHasItsOwn) {
    const std::filesystem::path manual = std::filesystem::path(VANTOR_SOURCE_DIR) / "docs" / "manual";
    for (const std::string& page : ManualPagesOpened())
        EXPECT_TRUE(std::filesystem::is_regular_file(manual / page)) << page << " is not in docs/manual";
    std::set<std::string> tabs;
    for (int32_t tab = 0; tab < SettingsPageCount; ++tab) {
        const THelpTopic topic = SettingsHelpTopic(tab);
        EXPECT_EQ(topic.Context, HelpTopicOf(THelpWindow::Settings).Context);
        tabs.insert(topic.Page);
    }
    EXPECT_EQ(tabs.size(), static_cast<size_t>(SettingsPageCount));
    // The older help file's topics stay as its versions numbered them.
    EXPECT_EQ(HelpTopicOf(THelpWindow::Organise).Context, 32);
    EXPECT_EQ(HelpTopicOf(THelpWindow::RunWithArguments).Context, 93);
}
