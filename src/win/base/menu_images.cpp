#include "base/menu_images.h"

#include <cstdint>

#include "layout/frame_layout.h"

namespace {

// A 32-bit top-down DIB header of the given size.
BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

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
HICON CutIcon(const std::vector<uint32_t>& pixels, int stripWidth, int left, uint32_t key) {
    constexpr int Size = TImageStrip::ImageSize;
    BITMAPINFO info = TopDown32(Size, Size);
    void* bits = nullptr;
    TBitmap color(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!color || !bits) return nullptr;
    // Monochrome rows are word-aligned: 16 pixels are exactly one word.
    WORD maskBits[Size] = {};
    auto* out = static_cast<uint32_t*>(bits);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * stripWidth + left + x];
            if (p == key) {
                out[y * Size + x] = 0;
                // Bit 7 of the first byte is the leftmost pixel.
                maskBits[y] |= x < 8 ? static_cast<WORD>(0x80 >> x) : static_cast<WORD>(0x8000 >> (x - 8));
            } else {
                out[y * Size + x] = 0xFF000000 | p;
            }
        }
    }
    TBitmap mask(CreateBitmap(Size, Size, 1, 1, maskBits));
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
    if (!GetObjectW(strip.Get(), sizeof(bm), &bm) || bm.bmHeight != ImageSize || bm.bmWidth < ImageSize) return;
    FPixels = ReadPixels(strip.Get(), bm.bmWidth, bm.bmHeight);
    if (FPixels.empty()) return;
    FKey = (GetRValue(transparent) << 16) | (GetGValue(transparent) << 8) | GetBValue(transparent);
    FWidth = bm.bmWidth;
    FCount = bm.bmWidth / ImageSize;
    FIcons.resize(static_cast<size_t>(FCount));
}

std::shared_ptr<const TIcon> TImageStrip::SharedIcon(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    std::shared_ptr<const TIcon>& icon = FIcons[static_cast<size_t>(index)];
    if (!icon) icon = std::make_shared<const TIcon>(CutIcon(FPixels, FWidth, index * ImageSize, FKey));
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
        DrawIconEx(dc, x, y, icon, ImageSize, ImageSize, 0, nullptr, DI_NORMAL);
    } else {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, ImageSize, ImageSize,
                   DST_ICON | DSS_DISABLED);
    }
}

const TImageStrip& MenuImages() {
    static const TImageStrip strip(GetModuleHandleW(nullptr), L"MENUIMAGES", RGB(255, 0, 255));
    return strip;
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
