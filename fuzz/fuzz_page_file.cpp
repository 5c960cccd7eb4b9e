// Loads arbitrary bytes as a page file. Whatever loads must save, load again
// and reach a fixed point: the reload keeps every page and entry, and only a
// working folder may change (it is cleared once it equals the folder of the
// already normalised target), so the second and third saves are identical.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "errors.h"
#include "fake_platform.h"
#include "model/vantor_classes.h"

static void Require(bool condition) {
    if (!condition) std::abort();
}

static void RequireSameExceptWorkingDir(const TVantorButton& a, const TVantorButton& b) {
    Require(a.LinkTo == b.LinkTo && a.Title == b.Title && a.Keyword == b.Keyword && a.Arguments == b.Arguments &&
            a.ShowCmd == b.ShowCmd && a.Forbidden == b.Forbidden && a.IconPath == b.IconPath &&
            a.IconIndex == b.IconIndex);
    Require(a.WorkingDir == b.WorkingDir || b.WorkingDir.empty());
}

static void RequireSamePages(const TVantorManager& a, const TVantorManager& b) {
    Require(a.Count() == b.Count() && a.Count() <= MaxPagesPerSet);
    for (int32_t i = 0; i < a.Count(); ++i) {
        const TVantorPage& p = *a.Pages(i);
        const TVantorPage& q = *b.Pages(i);
        Require(p.Caption == q.Caption && p.ViewStyle == q.ViewStyle && p.ViewStyle < ViewStyleCount &&
                p.DefaultLayout == q.DefaultLayout && p.ButtonWidth == q.ButtonWidth && p.Margin == q.Margin &&
                p.TitleWidth == q.TitleWidth);
        Require(p.Count() == q.Count() && p.Count() <= MaxButtonsPerPage);
        for (int32_t j = 0; j < p.Count(); ++j) RequireSameExceptWorkingDir(*p.Buttons(j), *q.Buttons(j));
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFakePlatform fake;
    TVantorManager first(fake);
    try {
        first.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EVantorError&) {
        return 0;
    }
    std::string firstSave = first.SaveToBytes();

    TVantorManager second(fake);
    second.LoadFromBytes(firstSave);  // our own output never fails to load
    RequireSamePages(first, second);
    Require(second.ReservedValue == first.ReservedValue);
    std::string secondSave = second.SaveToBytes();

    TVantorManager third(fake);
    third.LoadFromBytes(secondSave);
    Require(third.SaveToBytes() == secondSave);
    return 0;
}
