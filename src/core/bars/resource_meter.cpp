#include "bars/resource_meter.h"

#include <algorithm>

#include "text/text.h"

namespace {

constexpr int MeterHeight = 20;
constexpr int BarTops[3] = {3, 8, 13};  // system, USER, GDI

}  // namespace

TMeterColors MeterColors(int reading, int resourceRed, int resourceYellow) {
    if (reading < resourceRed) return {MeterRed, MeterMaroon};
    if (reading < resourceYellow) return {MeterYellow, MeterOlive};
    return {MeterSilver, MeterGrey};
}

int MeterBarLength(int reading, int innerWidth) {
    if (innerWidth <= 0) return 0;
    // 64 bits: any reading times a window width fits.
    const int64_t length = static_cast<int64_t>(innerWidth) * reading / 100;
    return static_cast<int>(std::clamp<int64_t>(length, 0, innerWidth));
}

std::string MeterText(const TResourceReadings& r, int resourceViewMode) {
    const int64_t value = resourceViewMode == 1 ? (static_cast<int64_t>(r.System) + r.User + r.Gdi) / 3
                                                : std::min({r.System, r.User, r.Gdi});
    return Format("%d%%", static_cast<long long>(value));
}

TMeterDrawing DrawMeter(int ownerWidth, const TResourceReadings& r, int resourceRed, int resourceYellow,
                        int resourceViewMode, int dpi) {
    if (dpi != BaseDpi) {
        // Drawn at 96 DPI and scaled by edges, so the rows still meet.
        const int width = std::max(0, ownerWidth);
        TMeterDrawing d = DrawMeter(UnscaleFromDpi(width, dpi), r, resourceRed, resourceYellow, resourceViewMode);
        const auto scaled = [dpi](const TRect& rect) { return ToRect(ScaleToDpi(ToBounds(rect), dpi)); };
        d.Edge = scaled(d.Edge);
        d.Edge.Right = width;
        for (TMeterFill& fill : d.Fills) fill.Rect = scaled(fill.Rect);
        d.TextClip = scaled(d.TextClip);
        d.TextTop = ScaleToDpi(d.TextTop, dpi);
        return d;
    }
    TMeterDrawing d;
    ownerWidth = std::max(0, ownerWidth);
    const int w = std::max(0, ownerWidth - 4);
    d.Edge = TRect{0, 0, ownerWidth, MeterHeight};
    for (int y : {2, 7, 12, 17}) d.Fills.push_back({TRect{2, y, 2 + w, y + 1}, MeterBlack});

    const int readings[3] = {r.System, r.User, r.Gdi};
    int lengths[3];
    for (int i = 0; i < 3; ++i) lengths[i] = MeterBarLength(readings[i], w);
    // The empty part runs from the bar's length to the inner right edge; it
    // starts at x = 2 at the least, or a short bar would paint over the edge.
    for (int i = 0; i < 3; ++i)
        d.Fills.push_back({TRect{std::max(2, lengths[i]), BarTops[i], 2 + w, BarTops[i] + 4}, MeterBlack});
    for (int i = 0; i < 3; ++i) {
        const TMeterColors colors = MeterColors(readings[i], resourceRed, resourceYellow);
        d.Fills.push_back({TRect{2, BarTops[i], 2 + lengths[i], BarTops[i] + 2}, colors.Level});
    }
    for (int i = 0; i < 3; ++i) {
        const TMeterColors colors = MeterColors(readings[i], resourceRed, resourceYellow);
        d.Fills.push_back({TRect{2, BarTops[i] + 2, 2 + lengths[i], BarTops[i] + 4}, colors.Dark});
    }
    d.Text = MeterText(r, resourceViewMode);
    d.TextClip = TRect{2, 2, 2 + w, 18};
    return d;
}

int MeterTextLeft(int ownerWidth, int textWidth) { return (ownerWidth - textWidth) / 2; }

bool ResourcesLow(const TResourceReadings& r) { return static_cast<int64_t>(r.System) + r.User + r.Gdi < 60; }
