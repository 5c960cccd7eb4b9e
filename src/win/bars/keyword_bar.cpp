#include "bars/keyword_bar.h"

#include "bars/bar_set.h"
#include "bars/keyword_edit.h"
#include "document/document.h"

namespace {

class TKeywordBar {
public:
    TKeywordBar(TFormFloat& bar, TDocument& document) : FBar(bar), FDocument(document), FEdit(*bar.KeywordEdit()) {}

    void Search() {
        TVantorPage* matches = FBar.BarPage();
        if (!matches || FEdit.Updating()) return;
        TKeywordBox box = FEdit.Read();
        if (!KeywordSearch(box, {&FDocument.Main(), &FDocument.Smart(), &FDocument.History()}, *matches,
                           FDocument.Settings().KanaBlindSearch))
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
    TDocument& FDocument;
    TKeywordEdit& FEdit;
};

}  // namespace

void ConnectKeywordBar(TFormFloat& bar, TDocument& document) {
    TKeywordEdit* edit = bar.KeywordEdit();
    if (!edit) return;
    // Lives as long as the handlers that hold it.
    auto behaviour = std::make_shared<TKeywordBar>(bar, document);
    edit->OnChange = [behaviour] { behaviour->Search(); };
    edit->OnEnter = [behaviour] { behaviour->Search(); };
    edit->OnKey = [behaviour](WORD key) { return behaviour->Key(key); };
}

void ActivateKeyword(TBarSet& bars) {
    TBarHost& host = bars.Host();
    host.BringMainWindowToFront();
    if (!bars.Exist()) return;
    TFormFloat& bar = bars.Bar(BarKeyword);
    if (!bar.Shown() || !bar.KeywordEdit()) return;
    HWND window = bar.Docked() ? host.MainWindow() : bar.Handle();
    SetForegroundWindow(window);
    SetFocus(bar.KeywordEdit()->Handle());
}
