#include "controls/separator.h"

#include "base/handles.h"

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2, int sysColor) {
    TPen pen(CreatePen(PS_SOLID, 1, GetSysColor(sysColor)));
    TSelectObject use(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

// Only the space kind covers its area; lines leave the parent's background between them.
TSeparator::TSeparator() : TGraphicControl(8, 64) { SetOpaque(false); }

void TSeparator::SetKind(TSeparatorKind kind) {
    FKind = kind;
    SetOpaque(kind == skSpace);
    Invalidate();
}

void TSeparator::Paint(HDC dc) {
    const int w = Width();
    const int h = Height();
    SetROP2(dc, R2_COPYPEN);
    switch (FKind) {
        case skVertical:
            Line(dc, w / 2 - 1, 0, w / 2 - 1, h, COLOR_BTNSHADOW);
            Line(dc, w / 2, 0, w / 2, h, COLOR_BTNHIGHLIGHT);
            break;
        case skHorizonal:
            Line(dc, 0, h / 2 - 1, w, h / 2 - 1, COLOR_BTNSHADOW);
            Line(dc, 0, h / 2, w, h / 2, COLOR_BTNHIGHLIGHT);
            break;
        case skSpace: {
            RECT clip;
            GetClipBox(dc, &clip);
            FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
            break;
        }
    }
}
