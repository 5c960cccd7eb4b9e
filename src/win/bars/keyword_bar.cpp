#include "bars/keyword_bar.h"

#include "app/vantor.h"
#include "bars/keyword_edit.h"

namespace {

class TKeywordBar {
public:
    TKeywordBar(TFormFloat& bar, TVantor& vantor) : FBar(bar), FVantor(vantor), FEdit(*bar.KeywordEdit()) {}

    void Search() {
        TVantorPage* matches = FBar.BarPage();
        if (!matches || FEdit.Updating()) return;
        TKeywordBox box = FEdit.Read();
        if (!KeywordSearch(box, {&FVantor.MainPages(), &FVantor.SmartPages(), &FVantor.HistoryPages()}, *matches,
                           FVantor.MainPages().KanaBlindSearch))
            return;
        FEdit.Apply(box);
        FBar.RefreshBar();
    }

    bool Key(WORD key) {
        TVantorPage* matches = FBar.BarPage();
        if (!matches) return false;
        TKeywordBox box = FEdit.Read();
        switch (key) {
            case VK_BACK:
                if (KeywordBackspace(box)) Reapply(box);
                return true;
            case VK_DELETE:
                if (KeywordDelete(box)) Reapply(box);
                return true;
            case VK_UP:
            case VK_DOWN:
                if (KeywordRotate(box, *matches, key == VK_UP)) {
                    FBar.RefreshBar();
                    Reapply(box);
                }
                return true;
            case VK_RETURN:
                // With no match Enter goes on as a key of its own.
                if (matches->Count() == 0) return false;
                FBar.View().Button(0)->PerformClick();
                return true;
            default:
                return false;
        }
    }

private:
    void Reapply(const TKeywordBox& box) {
        FEdit.Apply(box);
        Search();
    }

    TFormFloat& FBar;
    TVantor& FVantor;
    TKeywordEdit& FEdit;
};

}  // namespace

void ConnectKeywordBar(TFormFloat& bar, TVantor& vantor) {
    TKeywordEdit* edit = bar.KeywordEdit();
    if (!edit) return;
    // Lives as long as the handlers that hold it.
    auto behaviour = std::make_shared<TKeywordBar>(bar, vantor);
    edit->OnChange = [behaviour] { behaviour->Search(); };
    edit->OnEnter = [behaviour] { behaviour->Search(); };
    edit->OnKey = [behaviour](WORD key) { return behaviour->Key(key); };
}

void ActivateKeyword(TVantor& vantor) {
    vantor.BringToFront(vantor.Handle());
    if (!vantor.Bars().Exist()) return;
    TFormFloat& bar = vantor.Bars().Bar(BarKeyword);
    if (!bar.Shown() || !bar.KeywordEdit()) return;
    HWND window = bar.Docked() ? vantor.Handle() : bar.Handle();
    SetForegroundWindow(window);
    SetFocus(bar.KeywordEdit()->Handle());
}
