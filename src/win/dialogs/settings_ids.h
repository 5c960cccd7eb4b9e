// Template and control identifiers of the settings, run-with-arguments and
// about dialogs; read by the resource compiler too, so only #defines.
#pragma once

#define IDD_ABOUT 7501
#define IDD_RUN_WITH_ARGUMENTS 7502
#define IDD_SETTINGS 7503

// About.
#define IDC_ABOUT_TITLE 100
#define IDC_ABOUT_VERSION 101

// Run with arguments.
#define IDC_RUN_GROUP 100
#define IDC_RUN_LABEL 101
#define IDC_RUN_ARGUMENTS 102

// Settings: the tab strip and the button under it; the pages' controls are
// in dialogs/settings_controls.h.
#define IDC_SETTINGS_TABS 900
#define IDC_SETTINGS_DEFAULT 901
