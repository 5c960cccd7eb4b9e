// What the main window binds to its pooled controls for one page: the page's
// layout properties and entry kinds as the layout takes them, and the file an
// entry button shows its icon from.
#pragma once

#include <string>
#include <vector>

#include "layout/page_layout.h"
#include "model/vantor_classes.h"

TPageGeometry GeometryOf(const TVantorPage& page);

// One entry per entry of the page, in page order; the titles refer to the
// page's own strings, so the page must outlive the result unchanged.
std::vector<TLayoutEntry> LayoutEntriesOf(const TVantorPage& page);

struct TIconSource {
    std::string Path;
    int Index = -1;  // -1: the icon the shell shows for the file
};

// IconPath with IconIndex when an icon is chosen, else the target itself.
TIconSource IconSourceOf(const TVantorButton& entry);
