#include "layout/page_binding.h"

TPageGeometry GeometryOf(const TVantorPage& page) {
    TPageGeometry g;
    g.ViewStyle = page.ViewStyle;
    g.DefaultLayout = page.DefaultLayout;
    g.ButtonWidth = page.ButtonWidth;
    g.Margin = page.Margin;
    g.TitleWidth = page.TitleWidth;
    return g;
}

std::vector<TLayoutEntry> LayoutEntriesOf(const TVantorPage& page) {
    std::vector<TLayoutEntry> entries;
    entries.reserve(static_cast<size_t>(page.Count()));
    for (int32_t i = 0; i < page.Count(); ++i) {
        const TVantorButton& b = *page.Buttons(i);
        entries.push_back({b.IsSeparator(), b.Title});
    }
    return entries;
}

TIconSource IconSourceOf(const TVantorButton& entry) {
    if (!entry.IconPath.empty()) return {entry.IconPath, entry.IconIndex};
    return {entry.LinkTo, -1};
}
