// A windowless line: the etched line between entries and under each docked
// bar, or a plain face-coloured strip (the tab strip's splitter).
#pragma once

#include "controls/graphic_control.h"

// (The first name keeps the spelling the program has always used.)
enum TSeparatorKind { skHorizonal, skVertical, skSpace };

class TSeparator : public TGraphicControl {
public:
    TSeparator();  // 8 x 64, vertical

    TSeparatorKind Kind() const { return FKind; }
    // Always repaints.
    void SetKind(TSeparatorKind kind);

    void Paint(HDC dc) override;

private:
    TSeparatorKind FKind = skVertical;
};
