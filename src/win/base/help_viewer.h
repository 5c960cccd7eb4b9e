// Opens the program's help for a window (app/program_help.h is the
// program's own); dialogs reach it through their help button.
#pragma once

#include <windows.h>

#include <string>

#include "dialogs/help_topics.h"

class THelpViewer {
public:
    virtual ~THelpViewer() = default;
    // Opens the topic over `owner`. What is missing, as the message to show
    // the user, when nothing could be opened; empty when the help opened.
    virtual std::string ShowHelp(HWND owner, const THelpTopic& topic) = 0;
};
