// The two rectangle forms of the layout code. Controls are placed with
// (left, top, width, height) bounds; areas that are painted or hit-tested use
// (left, top, right, bottom) with the right and bottom edges outside.
#pragma once

#include <iosfwd>

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint& o) const { return X == o.X && Y == o.Y; }
    bool operator!=(const TPoint& o) const { return !(*this == o); }
};

struct TBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TBounds& o) const {
        return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
    }
    bool operator!=(const TBounds& o) const { return !(*this == o); }
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // Left and top edges inside, right and bottom edges outside.
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool Intersects(const TRect& o) const {
        return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
    }
    bool operator==(const TRect& o) const {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const TRect& o) const { return !(*this == o); }
};

// A pooled control that is not in use gets these bounds: invisible and not hittable.
constexpr TBounds ParkedBounds{-1, -1, 0, 0};

inline TRect ToRect(const TBounds& b) { return TRect{b.Left, b.Top, b.Right(), b.Bottom()}; }
inline TBounds ToBounds(const TRect& r) { return TBounds{r.Left, r.Top, r.Width(), r.Height()}; }

// A window system refuses negative sizes; a squeezed layout shows nothing instead.
inline TBounds WithoutNegativeSize(TBounds b) {
    if (b.Width < 0) b.Width = 0;
    if (b.Height < 0) b.Height = 0;
    return b;
}

std::ostream& operator<<(std::ostream& os, const TPoint& p);
std::ostream& operator<<(std::ostream& os, const TBounds& b);
std::ostream& operator<<(std::ostream& os, const TRect& r);
