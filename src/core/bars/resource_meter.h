// The resource bar's meter: three thin bars for the free system, USER and GDI
// resources, coloured by the warning thresholds, with one number over them;
// and the warning before a launch when resources run low. Colours are
// 0x00BBGGRR values, as the window side's RGB gives them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "layout/dpi.h"
#include "layout/rect.h"

constexpr uint32_t MeterRgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr uint32_t MeterBlack = MeterRgb(0, 0, 0);
constexpr uint32_t MeterWhite = MeterRgb(255, 255, 255);
constexpr uint32_t MeterRed = MeterRgb(255, 0, 0);
constexpr uint32_t MeterYellow = MeterRgb(255, 255, 0);
constexpr uint32_t MeterSilver = MeterRgb(192, 192, 192);
constexpr uint32_t MeterMaroon = MeterRgb(128, 0, 0);
constexpr uint32_t MeterOlive = MeterRgb(128, 128, 0);
constexpr uint32_t MeterGrey = MeterRgb(128, 128, 128);

struct TResourceReadings {
    int System = 0;
    int User = 0;
    int Gdi = 0;
};

// Red below ResourceRed, else yellow below ResourceYellow, else silver; the
// dark colour (the lower half of a bar) is maroon, olive or grey alike.
struct TMeterColors {
    uint32_t Level = MeterSilver;
    uint32_t Dark = MeterGrey;
};
TMeterColors MeterColors(int reading, int resourceRed, int resourceYellow);

// A reading's bar length inside the inner width w: w * reading div 100,
// held to 0..w so that a reading beyond 0..100 cannot draw outside the meter.
int MeterBarLength(int reading, int innerWidth);

// The number shown: the lowest reading (view mode 0) or the average of the
// three (view mode 1), followed by "%".
std::string MeterText(const TResourceReadings& r, int resourceViewMode);

// The meter in a panel `ownerWidth` pixels wide (W; inner width w = W - 4),
// in drawing order. Rectangles are (left, top, right, bottom).
struct TMeterFill {
    TRect Rect;
    uint32_t Color = MeterBlack;
};
struct TMeterDrawing {
    TRect Edge;                     // sunken edge, outer and inner, around (0, 0, W, 20)
    std::vector<TMeterFill> Fills;  // separator rows, empty parts, upper and lower halves
    std::string Text;               // bold, transparent background, clipped to TextClip
    TRect TextClip;                 // (2, 2, 2 + w, 18)
    int TextTop = 4;
};
// At another DPI the same drawing, scaled (ownerWidth at that DPI).
TMeterDrawing DrawMeter(int ownerWidth, const TResourceReadings& r, int resourceRed, int resourceYellow,
                        int resourceViewMode, int dpi = BaseDpi);
// The text's left x for its measured width: draw it black at x - 1 and x + 1,
// then white at x.
int MeterTextLeft(int ownerWidth, int textWidth);

// With ResourceWarning on, a launch asks first when the three readings add up
// to less than 60.
bool ResourcesLow(const TResourceReadings& r);
