// What the bars need of the program around them, apart from the document:
// the main window whose band holds the docked bars, its background, the
// handlers their entries share with every view, and the main menu.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/entry_view.h"
#include "controls/launcher_button.h"
#include "document/entry_ref.h"
#include "layout/drag_rules.h"
#include "model/vantor_classes.h"

class TBarHost {
public:
    virtual ~TBarHost() = default;

    // The main window: the docked bars' parent, the keyword bar's keyboard
    // when docked, the floating bars wait for it to show.
    virtual HWND MainWindow() = 0;
    // The main window's start-up has run to its end (before that it lays
    // itself out once at the end).
    virtual bool MainWindowStarted() = 0;
    // The band changed: the main window lays itself and the docked bars out.
    virtual void LayoutMainWindow() = 0;
    virtual void BringMainWindowToFront() = 0;
    // The background colour or the wallpaper tiled from the DC's origin.
    virtual void PaintBackground(HDC dc, const RECT& rect) = 0;
    // The icons of every view.
    virtual TLauncherButtonCache& IconCache() = 0;
    // A bar's entries behave as the main window's: clicks start them, and
    // they are dragged and take drops through the same handlers.
    virtual void ConnectEntryView(TEntryView& view, TEntryWindow window) = 0;
    // Files from the shell dropped on a bar's page, on its entry `entry` (-1: beside them).
    virtual void DropFilesOnPage(const std::vector<std::string>& files, int32_t entry, TBarKind set,
                                 TVantorPage& page) = 0;
    // A right click on a bar shows the main menu, owned by `owner`.
    virtual void PopupMainMenu(HWND owner, POINT at) = 0;
    virtual void PlaySoundEvent(const std::string& event) = 0;
    // A floating bar dragged by the pointer moved: the main window's
    // auto-hide looks at where the pointer is.
    virtual void BarDragMoved() = 0;
    // The system is of the NT family (the resource meter has no source there).
    virtual bool IsNT() = 0;
};
