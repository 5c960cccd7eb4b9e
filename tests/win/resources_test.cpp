// The resources of the built Vantor.exe read back as the system reads them:
// icon groups and their images, the bitmaps, the version block and the
// manifest; and the pictures as the running program shows them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/vantor.h"
#include "base/dib.h"
#include "base/handles.h"
#include "base/menu_images.h"
#include "base/system_library.h"
#include "base/win_text.h"
#include "controls/launcher_button.h"
#include "controls_test_support.h"
#include "layout/frame_layout.h"
#include "res/version.h"
#include "shell/win_platform.h"
#include "win_test_util.h"

namespace {

// The tests run from build*/win/tests/win; the program is build*/win/Vantor.exe.
std::wstring ProgramPath() {
    std::wstring path = Widen(TestExecutable());
    for (int up = 0; up < 3; ++up) path.erase(path.find_last_of(L'\\'));
    return path + L"\\Vantor.exe";
}

struct TDataModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};

// The bytes of one resource, empty when it is not there.
std::string ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), SizeofResource(module, found)) : std::string();
}

template <typename T>
T At(const std::string& bytes, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

struct TIconImage {
    int Width, Height, BitCount;
    int PartlyClear;  // pixels whose alpha is neither 0 nor 255
};

// An icon group's images, as the directory in the group and the images it names.
std::vector<TIconImage> IconGroup(HMODULE module, const wchar_t* name) {
    std::vector<TIconImage> images;
    const std::string group = ResourceBytes(module, name, RT_GROUP_ICON);
    const int count = At<WORD>(group, 4);
    for (int i = 0; i < count; ++i) {
        // GRPICONDIRENTRY: 14 bytes, the image's resource id last.
        const size_t entry = 6 + static_cast<size_t>(i) * 14;
        const WORD id = At<WORD>(group, entry + 12);
        const std::string image = ResourceBytes(module, MAKEINTRESOURCEW(id), RT_ICON);
        const auto header = At<BITMAPINFOHEADER>(image, 0);
        TIconImage result{header.biWidth, header.biHeight / 2, header.biBitCount, 0};
        if (header.biBitCount == 32) {
            const size_t pixels = static_cast<size_t>(result.Width) * result.Height;
            for (size_t p = 0; p < pixels; ++p) {
                const auto alpha = static_cast<unsigned char>(image[header.biSize + p * 4 + 3]);
                if (alpha != 0 && alpha != 255) ++result.PartlyClear;
            }
        }
        images.push_back(result);
    }
    return images;
}

struct TStripInfo {
    int Width = 0, Height = 0, BitCount = 0;
    std::vector<COLORREF> Pixels;  // top row first
    COLORREF Pixel(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// A 24-bit bitmap resource decoded by hand (its DIB, without GDI).
TStripInfo BitmapResource(HMODULE module, const wchar_t* name) {
    TStripInfo info;
    const std::string dib = ResourceBytes(module, name, RT_BITMAP);
    const auto header = At<BITMAPINFOHEADER>(dib, 0);
    info.Width = header.biWidth;
    info.Height = header.biHeight;
    info.BitCount = header.biBitCount;
    if (header.biBitCount != 24 || header.biCompression != BI_RGB) return info;
    const size_t stride = (static_cast<size_t>(info.Width) * 3 + 3) & ~size_t(3);
    if (dib.size() < header.biSize + stride * info.Height) return info;
    for (int y = 0; y < info.Height; ++y) {
        const size_t row = header.biSize + stride * (info.Height - 1 - y);
        for (int x = 0; x < info.Width; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(dib.data() + row + x * 3);
            info.Pixels.push_back(RGB(p[2], p[1], p[0]));
        }
    }
    return info;
}

// An icon drawn on a plain colour, as 16 x 16 (or size) pixels.
std::vector<COLORREF> Render(HICON icon, int size, COLORREF background) {
    TWindowDC screen(nullptr);
    TMemoryDC dc(CreateCompatibleDC(screen.DC()));
    TBitmap bitmap(CreateCompatibleBitmap(screen.DC(), size, size));
    std::vector<COLORREF> pixels;
    TSelectObject use(dc.Get(), bitmap.Get());
    TBrush brush(CreateSolidBrush(background));
    RECT all{0, 0, size, size};
    FillRect(dc.Get(), &all, brush.Get());
    DrawIconEx(dc.Get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
    return pixels;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

class ProgramResources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::wstring path = ProgramPath();
        Program.reset(new TUniqueHandle<HMODULE, TDataModuleTraits>(
            LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)));
    }
    static void TearDownTestSuite() { Program.reset(); }
    void SetUp() override {
        ASSERT_TRUE(*Program) << "the built program is missing or unreadable: " << Narrow(ProgramPath())
                              << " (build the Vantor target first)";
    }
    static HMODULE Module() { return Program->Get(); }

    static std::unique_ptr<TUniqueHandle<HMODULE, TDataModuleTraits>> Program;
};
std::unique_ptr<TUniqueHandle<HMODULE, TDataModuleTraits>> ProgramResources::Program;

}  // namespace

TEST_F(ProgramResources, TheProgramIconHasThreeSizesWithSoftEdges) {
    const std::vector<TIconImage> images = IconGroup(Module(), L"MAINICON");
    ASSERT_EQ(images.size(), 3u);
    std::vector<int> sizes;
    for (const TIconImage& image : images) {
        sizes.push_back(image.Width);
        EXPECT_EQ(image.Height, image.Width);
        EXPECT_EQ(image.BitCount, 32) << image.Width;
        // Smoothed edges: a real 8-bit alpha channel, not a mask in disguise.
        EXPECT_GT(image.PartlyClear, 0) << image.Width;
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
    // And the system picks each size out of the group.
    for (int size : {16, 32, 48}) {
        TIcon icon(static_cast<HICON>(LoadImageW(Module(), L"MAINICON", IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
        TBitmap color(info.hbmColor), mask(info.hbmMask);
        BITMAP bm{};
        GetObjectW(color.Get(), sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
    }
}

TEST_F(ProgramResources, TheNotFoundIconsHaveOneImageOfTheirSize) {
    const std::vector<TIconImage> large = IconGroup(Module(), L"_NOTFOUNDL");
    ASSERT_EQ(large.size(), 1u);
    EXPECT_EQ(large[0].Width, 32);
    EXPECT_EQ(large[0].Height, 32);
    const std::vector<TIconImage> small = IconGroup(Module(), L"_NOTFOUNDS");
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].Width, 16);
    EXPECT_EQ(small[0].Height, 16);
}

TEST_F(ProgramResources, TheBitmapsHoldWholeImagesOnTheirTransparentColour) {
    struct TCase {
        const wchar_t* Name;
        int Size;
        int Count;
        COLORREF Key;
    } cases[] = {
        {L"MENUIMAGES", 16, miImageCount, RGB(255, 0, 255)},
        {L"MENUIMAGES24", 24, miImageCount, RGB(255, 0, 255)},  // for 144 DPI
        {L"MENUIMAGES32", 32, miImageCount, RGB(255, 0, 255)},  // for 192 DPI
        {L"ORGANISEIMAGES", 16, 3, RGB(255, 0, 255)},
        {L"TRUETYPEGLYPH", 16, 1, RGB(128, 128, 128)},
    };
    for (const TCase& c : cases) {
        const std::string name = Narrow(c.Name);
        const int size = c.Size;
        const TStripInfo strip = BitmapResource(Module(), c.Name);
        ASSERT_EQ(strip.Width, size * c.Count) << name;
        ASSERT_EQ(strip.Height, size) << name;
        ASSERT_EQ(strip.BitCount, 24) << name;
        ASSERT_EQ(strip.Pixels.size(), static_cast<size_t>(strip.Width) * size) << name;
        // Each image is a picture: some clear and a good part drawn (a strip
        // one image short, or shifted by a pixel, shows up here).
        for (int i = 0; i < c.Count; ++i) {
            int clear = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) clear += strip.Pixel(i * size + x, y) == c.Key;
            EXPECT_GT(clear, 0) << name << " image " << i;
            EXPECT_LT(clear, size * size * 200 / 256) << name << " image " << i;
        }
    }
}

TEST_F(ProgramResources, TheVersionBlockNamesTheProgramInJapaneseAndEnglish) {
    // version.dll at run time: the test executable imports only what the program may.
    TModule versionLibrary(LoadSystemLibrary("version.dll"));
    auto GetFileVersionInfoSizeW =
        LibraryFunction<DWORD(WINAPI*)(LPCWSTR, LPDWORD)>(versionLibrary.Get(), "GetFileVersionInfoSizeW");
    auto GetFileVersionInfoW =
        LibraryFunction<BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID)>(versionLibrary.Get(), "GetFileVersionInfoW");
    auto VerQueryValueW =
        LibraryFunction<BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT)>(versionLibrary.Get(), "VerQueryValueW");
    ASSERT_TRUE(GetFileVersionInfoSizeW && GetFileVersionInfoW && VerQueryValueW);
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<LPVOID*>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(VANTOR_VERSION_MINOR, VANTOR_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(VANTOR_VERSION_BUILD, VANTOR_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    // Japanese (Shift-JIS) first, so a reader taking the first pair gets it.
    WORD* translation = nullptr;
    ASSERT_TRUE(
        VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<LPVOID*>(&translation), &length));
    ASSERT_GE(length, 8u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);
    EXPECT_EQ(translation[2], 0x0409);

    auto value = [&](const wchar_t* language, const wchar_t* key) {
        std::wstring query = std::wstring(L"\\StringFileInfo\\") + language + L"\\" + key;
        wchar_t* text = nullptr;
        UINT chars = 0;
        if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<LPVOID*>(&text), &chars) || !text)
            return std::string("(missing)");
        return Narrow(text);
    };
    for (const wchar_t* language : {L"041103a4", L"040904b0"}) {
        const std::string lang = Narrow(language);
        EXPECT_EQ(value(language, L"FileVersion"), VANTOR_VERSION_TEXT) << lang;
        EXPECT_EQ(value(language, L"ProductVersion"), VANTOR_VERSION_TEXT) << lang;
        EXPECT_EQ(value(language, L"ProductName"), "Vantor") << lang;
        EXPECT_EQ(value(language, L"CompanyName"), "Vantor developers") << lang;
        EXPECT_NE(value(language, L"LegalCopyright").find("Vantor developers"), std::string::npos) << lang;
        EXPECT_EQ(value(language, L"OriginalFilename"), "Vantor.exe") << lang;
    }
    // The Japanese description survives the trip through UTF-8 sources.
    EXPECT_EQ(value(L"041103a4", L"FileDescription"), "Vantor アプリケーションランチャー");
    EXPECT_EQ(value(L"040904b0", L"FileDescription"), "Vantor application launcher");
}

TEST_F(ProgramResources, TheManifestAsksForCommonControls6AndPerMonitorDpiAwareness) {
    // The identifier a process's own manifest has: 1.
    const std::string manifest = ResourceBytes(Module(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    const std::string text = Lower(manifest);
    const size_t controls = text.find("name=\"microsoft.windows.common-controls\"");
    ASSERT_NE(controls, std::string::npos);
    const size_t identityEnd = text.find("/>", controls);
    EXPECT_NE(text.substr(controls, identityEnd - controls).find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find("level=\"asinvoker\""), std::string::npos);
    for (const char* os : {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                           "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                           "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
        EXPECT_NE(text.find(os), std::string::npos) << os;
    }
    // Each window draws itself at its monitor's DPI: per-monitor (v2 where
    // the system has it), so the system never stretches it.
    EXPECT_NE(text.find(">true/pm</dpiaware>"), std::string::npos);
    EXPECT_NE(text.find(">permonitorv2, permonitor</dpiawareness>"), std::string::npos);
}

TEST_F(ProgramResources, TheNotFoundIconShownIsTheProgramsOwnPicture) {
    for (bool large : {true, false}) {
        const int size = large ? 32 : 16;
        TIcon fromProgram(
            static_cast<HICON>(LoadImageW(Module(), large ? L"_NOTFOUNDL" : L"_NOTFOUNDS", IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(fromProgram) << size;
        ASSERT_TRUE(NotFoundIcon(large)) << size;
        // On two backgrounds, so the clear parts must match as well.
        for (COLORREF background : {RGB(255, 255, 255), RGB(0, 0, 128)}) {
            EXPECT_EQ(Render(NotFoundIcon(large), size, background), Render(fromProgram.Get(), size, background))
                << size;
        }
    }
}

// An image as shown: its colours on navy, with what lets both navy and white
// through as the key colour.
std::vector<COLORREF> Shown(HICON icon, int size) {
    const COLORREF navy = RGB(0, 0, 128), white = RGB(255, 255, 255);
    std::vector<COLORREF> onNavy = Render(icon, size, navy);
    const std::vector<COLORREF> onWhite = Render(icon, size, white);
    for (size_t p = 0; p < onNavy.size(); ++p)
        if (onNavy[p] == navy && onWhite[p] == white) onNavy[p] = RGB(255, 0, 255);
    return onNavy;
}

// An icon's AND mask, top row first: true where the icon lets the background
// through when drawn without its alpha channel.
std::vector<bool> IconMask(HICON icon, int size) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    TBitmap mask(info.hbmMask), color(info.hbmColor);
    BITMAPINFO header = TopDown32(size, size);
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    TWindowDC screen(nullptr);
    if (GetDIBits(screen.DC(), mask.Get(), 0, size, pixels.data(), &header, DIB_RGB_COLORS) != size) return {};
    std::vector<bool> clear;
    for (uint32_t p : pixels) clear.push_back((p & 0x00FFFFFF) != 0);
    return clear;
}

TEST(MenuImages, EachStripIsCutIntoIconsOfItsSizeWithClearBackgrounds) {
    for (int size : {16, 24, 32}) {
        const TImageStrip& strip = MenuImages(size);
        ASSERT_EQ(strip.Size(), size);
        ASSERT_EQ(strip.Count(), miImageCount) << size;
        EXPECT_EQ(strip.Icon(-1), nullptr) << size;
        EXPECT_EQ(strip.Icon(miImageCount), nullptr) << size;
        for (int i = 0; i < strip.Count(); ++i) {
            ASSERT_NE(strip.Icon(i), nullptr) << size << " " << i;
            EXPECT_EQ(IconImageSize(strip.Icon(i)).cx, size) << i;
            EXPECT_EQ(IconImageSize(strip.Icon(i)).cy, size) << i;
            const std::vector<COLORREF> shown = Shown(strip.Icon(i), size);
            // The key colour never shows as such: what it marked lets every
            // background through.
            const std::vector<COLORREF> onBlack = Render(strip.Icon(i), size, RGB(0, 0, 0));
            // The mask agrees, for drawing without alpha (the greyed image).
            const std::vector<bool> mask = IconMask(strip.Icon(i), size);
            ASSERT_EQ(mask.size(), shown.size()) << size << " " << i;
            int clear = 0, notClearOnBlack = 0, maskWrong = 0;
            for (size_t p = 0; p < shown.size(); ++p) {
                const bool isClear = shown[p] == RGB(255, 0, 255);
                clear += isClear;
                notClearOnBlack += (onBlack[p] == RGB(0, 0, 0)) != isClear;
                maskWrong += mask[p] != isClear;
            }
            EXPECT_EQ(notClearOnBlack, 0) << size << " " << i;
            EXPECT_EQ(maskWrong, 0) << size << " " << i;
            EXPECT_GT(clear, 0) << size << " " << i;
            EXPECT_LT(clear, size * size * 200 / 256) << size << " " << i;
        }
    }
}

TEST(MenuImages, TheLargerStripsShowThe16PixelPicturesAtTheSameIndices) {
    const TImageStrip& small = MenuImages();
    ASSERT_EQ(small.Count(), miImageCount);
    std::vector<std::vector<COLORREF>> smallShown;
    for (int i = 0; i < miImageCount; ++i) smallShown.push_back(Shown(small.Icon(i), 16));
    for (int size : {24, 32}) {
        const TImageStrip& large = MenuImages(size);
        ASSERT_EQ(large.Count(), miImageCount) << size;
        for (int i = 0; i < miImageCount; ++i) {
            const std::vector<COLORREF> shown = Shown(large.Icon(i), size);
            // Where a 16-pixel picture leaves its corners clear, the larger
            // one does too: it is not cut a pixel off or drawn offset.
            const int last = size - 1;
            const int corners[4][4] = {{0, 0, 0, 0}, {15, 0, last, 0}, {0, 15, 0, last}, {15, 15, last, last}};
            for (const auto& c : corners) {
                if (smallShown[static_cast<size_t>(i)][static_cast<size_t>(c[1] * 16 + c[0])] == RGB(255, 0, 255)) {
                    EXPECT_EQ(shown[static_cast<size_t>(c[3] * size + c[2])], RGB(255, 0, 255))
                        << size << " image " << i << " corner " << c[2] << "," << c[3];
                }
            }
            // Sampled at the 16-pixel grid, of all the 16-pixel pictures it
            // is most like its own (a strip in the wrong order, or cut at the
            // wrong width, fails here).
            auto distance = [&](const std::vector<COLORREF>& other) {
                long total = 0;
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) {
                        const COLORREF a = other[static_cast<size_t>(y * 16 + x)];
                        const COLORREF b =
                            shown[static_cast<size_t>((2 * y + 1) * size / 32 * size + (2 * x + 1) * size / 32)];
                        total += std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                                 std::abs(GetBValue(a) - GetBValue(b));
                    }
                return total;
            };
            const long own = distance(smallShown[static_cast<size_t>(i)]);
            for (int j = 0; j < miImageCount; ++j) {
                if (j != i) {
                    EXPECT_LT(own, distance(smallShown[static_cast<size_t>(j)])) << size << " " << i << " " << j;
                }
            }
        }
    }
}

TEST(MenuImages, ASizeGetsTheSmallestStripAtLeastAsLarge) {
    EXPECT_EQ(&MenuImages(16), &MenuImages());
    EXPECT_EQ(&MenuImages(0), &MenuImages());
    EXPECT_EQ(&MenuImages(-5), &MenuImages());
    EXPECT_EQ(MenuImages().Size(), 16);
    EXPECT_EQ(MenuImages(17).Size(), 24);
    EXPECT_EQ(MenuImages(20).Size(), 24);
    EXPECT_EQ(MenuImages(24).Size(), 24);
    EXPECT_EQ(MenuImages(25).Size(), 32);
    EXPECT_EQ(MenuImages(32).Size(), 32);
    // Nothing larger: shrinking is done by whoever draws it.
    EXPECT_EQ(MenuImages(64).Size(), 32);
    // Each size is one strip, loaded once.
    EXPECT_EQ(&MenuImages(20), &MenuImages(24));
    EXPECT_EQ(&MenuImages(64), &MenuImages(32));
}

TEST(MenuImages, AnImageIsCutOnceAndSharedByEveryHolder) {
    const TImageStrip& strip = MenuImages();
    const std::shared_ptr<const TIcon> first = strip.SharedIcon(miDesktop);
    ASSERT_TRUE(first && first->Get());
    EXPECT_EQ(strip.SharedIcon(miDesktop), first);
    EXPECT_EQ(strip.Icon(miDesktop), first->Get());
    EXPECT_EQ(strip.SharedIcon(-1), nullptr);
    EXPECT_EQ(strip.SharedIcon(miImageCount), nullptr);
    // A button showing it holds a share, not a copy.
    TIconButton button;
    button.SetSharedIcon(strip.SharedIcon(miShutdown));
    EXPECT_EQ(button.Icon(), strip.Icon(miShutdown));
}

TEST(MenuImages, AnImageIsDrawnAtItsStripsSizeAndGreyedWhenDisabled) {
    for (int size : {16, 24, 32}) {
        const TImageStrip& strip = MenuImages(size);
        const int canvas = size + 8;
        struct TDrawn {
            bool Colourful = false;
            int Right = -1, Bottom = -1;  // the last column and row drawn on
        };
        auto draw = [&](bool enabled) {
            TWindowDC screen(nullptr);
            TMemoryDC dc(CreateCompatibleDC(screen.DC()));
            TBitmap bitmap(CreateCompatibleBitmap(screen.DC(), canvas, canvas));
            TSelectObject use(dc.Get(), bitmap.Get());
            RECT all{0, 0, canvas, canvas};
            FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            strip.Draw(dc.Get(), miAdd, 2, 2, enabled);
            TDrawn drawn;
            for (int y = 0; y < canvas; ++y)
                for (int x = 0; x < canvas; ++x) {
                    const COLORREF c = GetPixel(dc.Get(), x, y);
                    if (c == RGB(255, 255, 255)) continue;
                    drawn.Colourful =
                        drawn.Colourful || !(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c));
                    drawn.Right = std::max(drawn.Right, x);
                    drawn.Bottom = std::max(drawn.Bottom, y);
                    // Nothing outside the image's square.
                    EXPECT_TRUE(x >= 2 && y >= 2 && x < 2 + size && y < 2 + size) << size << " " << x << "," << y;
                }
            return drawn;
        };
        for (bool enabled : {true, false}) {
            const TDrawn drawn = draw(enabled);
            // The plus reaches to within two pixels of the image's edges, so
            // it is drawn at the strip's size, not at 16.
            EXPECT_GE(drawn.Right, 2 + size - 3) << size << " " << enabled;
            EXPECT_GE(drawn.Bottom, 2 + size - 3) << size << " " << enabled;
            // The green plus loses its colour when disabled.
            EXPECT_EQ(drawn.Colourful, enabled) << size;
        }
    }
}

namespace {

class TQuietDesktop : public TDesktopServices {
public:
    int ShowMessage(HWND, const std::string&, UINT) override { return IDOK; }
    void StartShell(HWND, const TShellRequest&) override {}
    void PlaySoundValue(const std::string&) override {}
    std::string SpecialFolderPath(TSpecialFolder) override { return {}; }
};

}  // namespace

TEST(MenuImages, TheSystemButtonsShowTheirPicturesFromTheStrip) {
    TTempFolder folder("vantor-pictures");
    const std::string data = folder / "Data\\";
    MakeFolder(data);
    TWinPlatform platform;
    TVantor vantor(platform, folder.Path(), data, std::make_unique<TQuietDesktop>());
    vantor.QuitOnDestroy = false;
    ASSERT_TRUE(vantor.Create());
    // Set as the window shows, before it is first painted.
    vantor.Show();
    // AutoRun 7, open folder 9, screen saver 10, shut down 11, restart 12.
    const int expected[sbCount] = {7, 9, 10, 11, 12};
    for (int id = 0; id < sbCount; ++id) {
        HICON shown = vantor.SystemButtons[id].Icon();
        ASSERT_NE(shown, nullptr) << id;
        EXPECT_EQ(Render(shown, 16, RGB(10, 20, 30)), Render(MenuImages().Icon(expected[id]), 16, RGB(10, 20, 30)))
            << id;
        for (int other = 0; other < sbCount; ++other) {
            if (other == id) continue;
            EXPECT_NE(Render(shown, 16, 0), Render(MenuImages().Icon(expected[other]), 16, 0)) << id << " " << other;
        }
    }
}
