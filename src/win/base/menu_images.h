// The program's small pictures: the bitmap resource "MENUIMAGES" holds them
// side by side at 16 pixels, "MENUIMAGES24" and "MENUIMAGES32" the same
// pictures drawn at 24 and 32 pixels for higher DPI; cut into icons once, they
// serve the menus, the bars' grips and the system buttons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "base/handles.h"

// Index of each picture in the strip.
enum TMenuImage {
    miDelete = 0,
    miCut = 1,
    miCopy = 2,
    miPaste = 3,
    miProperties = 4,
    miHelp = 5,
    miAdd = 6,
    miAutoRun = 7,
    miAutoRunStopped = 8,
    miOpenFolder = 9,
    miScreenSaver = 10,
    miShutdown = 11,
    miReboot = 12,
    miSmartBar = 13,
    miKeywordBar = 14,
    miHistoryBar = 15,
    miReadMe = 16,
    miShortcut = 17,  // also the start-up registration
    miResourceBar = 18,
    miDesktop = 19,
    miStartMenu = 20,  // also the start-up folder
    miSendTo = 21,
    miScreenSaverStopped = 22,
    miImageCount
};

// Square images side by side in one bitmap resource, each kept as an icon
// whose mask comes from the strip's transparent colour. An image becomes an
// icon when it is first asked for: making an icon is slow under Wine, and the
// start-up shows only a few of them.
class TImageStrip {
public:
    // The size of the 16-pixel strip's images, MenuImages()'s.
    static constexpr int ImageSize = 16;

    // The bitmap's height is the images' size. Empty when the resource is
    // missing or unreadable.
    TImageStrip(HMODULE module, const wchar_t* resourceName, COLORREF transparent);

    // Width and height of each image in pixels; 0 when empty.
    int Size() const { return FSize; }
    int Count() const { return FCount; }
    // Owned by the strip; null outside 0..Count() - 1.
    HICON Icon(int index) const;
    // The same icon, shared: it lives on as long as any holder.
    std::shared_ptr<const TIcon> SharedIcon(int index) const;
    // Draws one image at its own size with its top-left at (x, y), greyed
    // when not enabled.
    void Draw(HDC dc, int index, int x, int y, bool enabled = true) const;

private:
    std::vector<uint32_t> FPixels;  // 0x00RRGGBB, top row first
    int FWidth = 0;
    int FSize = 0;
    int FCount = 0;
    uint32_t FKey = 0;
    mutable std::vector<std::shared_ptr<const TIcon>> FIcons;  // cut on first use
};

// The program's own 16-pixel strip, loaded from the running module on first use.
const TImageStrip& MenuImages();
// The program's strip for pictures shown `size` pixels wide: the smallest of
// the 16, 24 and 32-pixel strips at least that large, so that up to 32 a
// picture is never blown up; the 32-pixel one above that. Each is loaded on
// first use; one that fails to load is passed over.
const TImageStrip& MenuImages(int size);

// The picture of a system button (TSystemButtonId), in its normal state.
TMenuImage SystemButtonImage(int systemButtonId);
