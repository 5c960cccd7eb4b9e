#include "layout/rect.h"

#include <ostream>

std::ostream& operator<<(std::ostream& os, const TPoint& p) { return os << "(" << p.X << ", " << p.Y << ")"; }

std::ostream& operator<<(std::ostream& os, const TBounds& b) {
    return os << "(" << b.Left << ", " << b.Top << ", w " << b.Width << ", h " << b.Height << ")";
}

std::ostream& operator<<(std::ostream& os, const TRect& r) {
    return os << "[" << r.Left << ", " << r.Top << " - " << r.Right << ", " << r.Bottom << "]";
}
