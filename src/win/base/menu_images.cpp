#include "base/menu_images.h"

#include <cstdint>

#include "base/dib.h"
#include "layout/frame_layout.h"

namespace {

// The strip's pixels, top row first, as 0x00RRGGBB.
std::vector<uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info = TopDown32(width, height);
    TWindowDC screen(nullptr);
    if (GetDIBits(screen.DC(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) pixels.clear();
    for (uint32_t& p : pixels) p &= 0x00FFFFFF;
    return pixels;
}

// One image as an icon: the key colour becomes clear in both the mask and
// the alpha channel, so it draws right with and without alpha blending.
HICON CutIcon(const std::vector<uint32_t>& pixels, int stripWidth, int left, int size, uint32_t key) {
    BITMAPINFO info = TopDown32(size, size);
    void* bits = nullptr;
    TBitmap color(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!color || !bits) return nullptr;
    // Monochrome rows are word-aligned: 24 pixels take two words.
    const int maskStride = (size + 15) / 16 * 2;
    std::vector<BYTE> maskBits(static_cast<size_t>(maskStride) * size);
    auto* out = static_cast<uint32_t*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * stripWidth + left + x];
            if (p == key) {
                out[y * size + x] = 0;
                // Bit 7 of a byte is its leftmost pixel.
                maskBits[static_cast<size_t>(y) * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            } else {
                out[y * size + x] = 0xFF000000 | p;
            }
        }
    }
    TBitmap mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    if (!mask) return nullptr;
    GdiFlush();
    ICONINFO icon{TRUE, 0, 0, mask.Get(), color.Get()};
    return CreateIconIndirect(&icon);
}

}  // namespace

TImageStrip::TImageStrip(HMODULE module, const wchar_t* resourceName, COLORREF transparent) {
    TBitmap strip(static_cast<HBITMAP>(LoadImageW(module, resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) return;
    BITMAP bm{};
    if (!GetObjectW(strip.Get(), sizeof(bm), &bm) || bm.bmHeight <= 0 || bm.bmWidth < bm.bmHeight) return;
    FPixels = ReadPixels(strip.Get(), bm.bmWidth, bm.bmHeight);
    if (FPixels.empty()) return;
    FKey = (GetRValue(transparent) << 16) | (GetGValue(transparent) << 8) | GetBValue(transparent);
    FWidth = bm.bmWidth;
    FSize = bm.bmHeight;
    FCount = bm.bmWidth / FSize;
    FIcons.resize(static_cast<size_t>(FCount));
}

std::shared_ptr<const TIcon> TImageStrip::SharedIcon(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    std::shared_ptr<const TIcon>& icon = FIcons[static_cast<size_t>(index)];
    if (!icon) icon = std::make_shared<const TIcon>(CutIcon(FPixels, FWidth, index * FSize, FSize, FKey));
    return icon;
}

HICON TImageStrip::Icon(int index) const {
    const std::shared_ptr<const TIcon> icon = SharedIcon(index);
    return icon ? icon->Get() : nullptr;
}

void TImageStrip::Draw(HDC dc, int index, int x, int y, bool enabled) const {
    HICON icon = Icon(index);
    if (!icon) return;
    if (enabled) {
        DrawIconEx(dc, x, y, icon, FSize, FSize, 0, nullptr, DI_NORMAL);
    } else {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, FSize, FSize,
                   DST_ICON | DSS_DISABLED);
    }
}

const TImageStrip& MenuImages() {
    static const TImageStrip strip(GetModuleHandleW(nullptr), L"MENUIMAGES", RGB(255, 0, 255));
    return strip;
}

const TImageStrip& MenuImages(int size) {
    if (size <= TImageStrip::ImageSize) return MenuImages();
    static const TImageStrip strip24(GetModuleHandleW(nullptr), L"MENUIMAGES24", RGB(255, 0, 255));
    static const TImageStrip strip32(GetModuleHandleW(nullptr), L"MENUIMAGES32", RGB(255, 0, 255));
    // Smallest first; without either, the 16-pixel strip is the last resort.
    const TImageStrip* bigger[] = {&strip24, &strip32};
    const TImageStrip* best = nullptr;
    for (const TImageStrip* strip : bigger) {
        if (strip->Count() == 0) continue;
        best = strip;
        if (strip->Size() >= size) break;
    }
    return best ? *best : MenuImages();
}

TMenuImage SystemButtonImage(int systemButtonId) {
    switch (systemButtonId) {
        case sbStopAutoRun:
            return miAutoRun;
        case sbOpenFolder:
            return miOpenFolder;
        case sbScreenSaver:
            return miScreenSaver;
        case sbShutdown:
            return miShutdown;
        case sbReboot:
            return miReboot;
        default:
            return miImageCount;
    }
}
