#include "commands/guide_texts.h"

#include "text/text.h"

namespace {

const char kEntryTail[] =
    "\r\r・右クリックすると、ポップアップメニューが開きます。\r・他のボタンやセパレータにドラッグ&"
    "ドロップすると、並べ替えが行えます。\r・他のページタブやバーにドラッグ&ドロップすると、移動が行えます。\r・"
    "Ctrlキーを押しながら他のページタブやバーにドラッグ&ドロップすると、コピーが行えます。";

const char kBarTail[] =
    "・右クリックすると、ポップアップメニューが開きます。\r・メインウィンドウ付近までドラッグすると、"
    "ドッキングさせることができます。\r・メインウィンドウから離れた位置までドラッグすると、"
    "フローティングさせることができます。";

}  // namespace

std::string GuideText(TGuide guide) {
    switch (guide) {
        case TGuide::TabSet:
            return "ページタブ||アクティブなページを切り替えるために使用します。\r\r・他のページタブにドラッグ&"
                   "ドロップすると、並べ替えが行えます。\r・クリックの代わりに<>"
                   "キーや数字キーを押しても、ページタブを切り替えられます。";
        case TGuide::EntryArea:
            return "アクティブなページ||現在選択されているページです。\r\r・エクスプローラ等からファイルをドラッグ&"
                   "ドロップすると、それらをボタンとして登録することができます。\r・右クリックすると、"
                   "ポップアップメニューが開きます。\r・ドラッグすると、メインウィンドウを移動することができます。\r・"
                   "方向キーを押すと、ボタンのフォーカスが移動します。";
        case TGuide::StopAutoRun:
            return "「AutoRun」ボタン||CD-ROMのAutoRun機能を制御できるシステムボタンです。\r\r・"
                   "クリックして「停止」を選択すると、AutoRunを無効化できます。\r・クリックして「実行」を選択すると、"
                   "AutoRunを再実行できます。";
        case TGuide::OpenFolder:
            return "「フォルダを開く」ボタン||フォルダ階層をブラウズできるシステムボタンです。\r\r・"
                   "任意のフォルダやアプリケーションを開いたり、ボタンとして登録することができます。\r・"
                   "設定ダイアログで、初期階層に表示するフォルダをカスタマイズできます。";
        case TGuide::ScreenSaver:
            return "「スクリーンセーバー」ボタン||スクリーンセーバーを制御できるシステムボタンです。\r\r・"
                   "クリックして「停止」を選択すると、スクリーンセーバーを無効化できます。\r・"
                   "クリックして「実行」を選択すると、スクリーンセーバーを強制実行できます。\r・"
                   "Ctrlを押しながらクリックすると、メニューを省略してスクリーンセーバーを強制実行できます。";
        case TGuide::Shutdown:
            return "「Windowsの終了」ボタン||Windowsを終了してコンピュータの電源を切断できるシステムボタンです。";
        case TGuide::Reboot:
            return "「Windowsの再起動」ボタン||Windowsを再起動できるシステムボタンです。\r\r・"
                   "Shiftを押しながらクリックすると、Windowsのみを再起動してログオンしなおすことができます。";
        case TGuide::Entry:
            return std::string("ボタン||アプリケーションやファイルを開くことのできる、Vantorの基本構成要素です。") +
                   kEntryTail;
        case TGuide::Separator:
            return std::string("セパレータ||ボタンを区切ってレイアウトを整えるために使用します。") + kEntryTail;
        case TGuide::SmartBar:
            return std::string(
                       "スマートバー||ページと同様、ボタンやセパレータを自由に追加できます。"
                       "頻繁に実行するアプリケーションやファイルを登録しておくと便利です。\r\r・"
                       "エクスプローラ等からファイルをドラッグ&"
                       "ドロップすると、それらをボタンとして登録することができます。\r") +
                   kBarTail;
        case TGuide::KeywordBar:
            return std::string(
                       "キーワードバー||キーワードバーを使うと、Vantorに登録された全てのボタンを"
                       "検索することができます。\r\r・エディットボックスにキーワードを入力すると、"
                       "それに合致するボタンが検索され、候補の一覧が表示されます。\r") +
                   kBarTail;
        case TGuide::HistoryBar:
            return std::string("履歴バー||履歴バーには、最近実行したボタンが順に表示されます。\r\r") + kBarTail;
        case TGuide::ResourceBar:
            return std::string(
                       "リソースバー||上から順に、システムリソース・USERリソース・GDIリソースの各残量が"
                       "表示されます。WindowsNT、またはRSRC32.DLLの存在しない環境では動作しません。\r\r") +
                   kBarTail;
    }
    return "";
}

std::string HintBlock(const std::string& text) {
    constexpr size_t kMaxText = 1022;
    size_t length = 0;
    while (length < text.size()) {
        const size_t step = IsLeadByte(static_cast<unsigned char>(text[length])) && length + 1 < text.size() ? 2 : 1;
        if (length + step > kMaxText) break;
        length += step;
    }
    std::string block = text.substr(0, length);
    block += '\0';
    return block;
}

bool ShowsTitlePopup(bool inMainWindow, int32_t viewStyle, bool titleTruncated) {
    return !inMainWindow || viewStyle == 0 || viewStyle == 1 || viewStyle == 6 || titleTruncated;
}

int32_t TitlePopupTop(int32_t buttonTop, int32_t buttonHeight, int32_t screenBottom) {
    const int32_t below = buttonTop + buttonHeight + 4;
    return below >= screenBottom - 22 ? buttonTop - 22 : below;
}
