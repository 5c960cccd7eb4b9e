#include "dialogs/help_topics.h"

#include <array>
#include <utility>

#include "dialogs/settings_pages.h"

const char ManualFolderName[] = "manual\\";

namespace {

// The help file's topic numbers of the older versions, kept for a
// Vantor.hlp that may still lie beside the program.
constexpr int32_t kOrganiseTopic = 32;
constexpr int32_t kPagePropertiesTopic = 34;
constexpr int32_t kEntryPropertiesTopic = 35;
constexpr int32_t kProcessPickerTopic = 41;
constexpr int32_t kSettingsTopic = 47;
constexpr int32_t kRunWithArgumentsTopic = 93;

const char kContentsPage[] = "index.html";

// In the order of TSettingsPage.
const std::array<const char*, SettingsPageCount> kSettingsPages = {{
    "settings-general.html",
    "settings-interval.html",
    "settings-layout.html",
    "settings-hide.html",
    "settings-scroll.html",
    "settings-view.html",
    "settings-background.html",
    "settings-color.html",
    "settings-sound.html",
    "settings-keyboard.html",
    "settings-resource-bar.html",
    "settings-system-buttons.html",
    "settings-folder1.html",
    "settings-folder2.html",
    "settings-folder3.html",
    "settings-corner.html",
}};

}  // namespace

THelpTopic HelpTopicOf(THelpWindow window) {
    switch (window) {
        case THelpWindow::Contents:
            return {0, kContentsPage};
        case THelpWindow::Organise:
            return {kOrganiseTopic, "organise.html"};
        case THelpWindow::PageProperties:
            return {kPagePropertiesTopic, "page-properties.html"};
        case THelpWindow::EntryProperties:
            return {kEntryPropertiesTopic, "entry-properties.html"};
        case THelpWindow::ProcessPicker:
            return {kProcessPickerTopic, "process-picker.html"};
        case THelpWindow::Settings:
            return {kSettingsTopic, "settings.html"};
        case THelpWindow::RunWithArguments:
            return {kRunWithArgumentsTopic, "run-with-arguments.html"};
    }
    return {0, kContentsPage};
}

THelpTopic SettingsHelpTopic(int32_t page) {
    if (page < 0 || page >= SettingsPageCount) return HelpTopicOf(THelpWindow::Settings);
    return {kSettingsTopic, kSettingsPages[static_cast<size_t>(page)]};
}

std::vector<std::string> ManualPagesOpened() {
    std::vector<std::string> pages;
    for (THelpWindow window :
         {THelpWindow::Contents, THelpWindow::Organise, THelpWindow::PageProperties, THelpWindow::EntryProperties,
          THelpWindow::ProcessPicker, THelpWindow::Settings, THelpWindow::RunWithArguments})
        pages.push_back(HelpTopicOf(window).Page);
    for (int32_t page = 0; page < SettingsPageCount; ++page) pages.push_back(SettingsHelpTopic(page).Page);
    return pages;
}

THelpChoice ChooseHelp(const std::string& programFolder, const THelpTopic& topic,
                       const std::function<bool(const std::string&)>& exists) {
    for (const auto& [source, name] :
         {std::pair{THelpSource::HtmlHelp, "Vantor.chm"}, std::pair{THelpSource::WinHelp, "Vantor.hlp"}}) {
        const std::string file = programFolder + name;
        if (exists(file)) return {source, file};
    }
    const std::string manual = programFolder + ManualFolderName;
    const std::string page = manual + (topic.Page.empty() ? kContentsPage : topic.Page);
    if (exists(page)) return {THelpSource::Manual, page};
    // A manual of another version may lack a newer page: its contents then.
    const std::string contents = manual + kContentsPage;
    if (exists(contents)) return {THelpSource::Manual, contents};
    return {THelpSource::Missing, page};
}
