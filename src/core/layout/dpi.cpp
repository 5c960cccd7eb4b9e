#include "layout/dpi.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::array<int, 10> kIconSizes = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};

// value * numerator / denominator, rounded half away from zero, in 64 bits.
int MulDivRound(int value, int numerator, int denominator) {
    if (denominator <= 0) return value;
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

int ValidDpi(int dpi) { return dpi > 0 ? dpi : BaseDpi; }

}  // namespace

int ScaleToDpi(int value, int dpi) { return MulDivRound(value, ValidDpi(dpi), BaseDpi); }

int UnscaleFromDpi(int pixels, int dpi) { return MulDivRound(pixels, BaseDpi, ValidDpi(dpi)); }

TBounds ScaleToDpi(const TBounds& b, int dpi) {
    // Edges are scaled, not sizes, so neighbouring parts still meet.
    const int left = ScaleToDpi(b.Left, dpi);
    const int top = ScaleToDpi(b.Top, dpi);
    return TBounds{left, top, ScaleToDpi(b.Left + b.Width, dpi) - left, ScaleToDpi(b.Top + b.Height, dpi) - top};
}

int IconExtractSize(int drawSize) {
    for (int s : kIconSizes)
        if (s >= drawSize) return s;
    return kIconSizes.back();
}

int IconSizeForDpi(int size, int dpi) { return IconExtractSize(ScaleToDpi(size, dpi)); }
