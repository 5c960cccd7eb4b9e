#include "settings/keys.h"

#include "settings/name_value.h"
#include "text/text.h"

const std::array<TActionInfo, ActionCount>& ActionTable() {
    static const std::array<TActionInfo, ActionCount> table = {{
        {"MActivate", "アクティブ化", true, "Ctrl+Alt+L"},
        {"MActivateKeyword", "キーワードのアクティブ化", true, "Ctrl+Alt+K"},
        {"MMenu", "メニュー", true, "Ctrl+Alt+M"},
        {"MEdit", "編集", false, "*None"},
        {"MAddButton", "ボタンの追加", false, "Ins"},
        {"MExecuteWithArg", "引数を指定して実行", false, "F9"},
        {"MChangeButton", "ボタンのプロパティ", false, "Ctrl+P"},
        {"MDeleteButton", "ボタンまたはセパレータの削除", false, "Del"},
        {"MCutButton", "切り取り", false, "Ctrl+X"},
        {"MCopyButton", "コピー", false, "Ctrl+C"},
        {"MPasteButton", "貼り付け", false, "Ctrl+V"},
        {"MLinkHelp", "リンク先のヘルプ", false, "Ctrl+F1"},
        {"MLinkReadMe", "リンク先のリードミー", false, "Shift+F1"},
        {"MShortCutToDesktop", "デスクトップにショートカットを作成", false, "*None"},
        {"MShortCutToStartMenu", "スタートメニューにショートカットを作成", false, "*None"},
        {"MShortCutToStartup", "スタートアップにショートカットを作成", false, "*None"},
        {"MShortCutToSendTo", "送るにショートカットを作成", false, "*None"},
        {"MOpenThisFolder", "リンク先のフォルダを開く", false, "Ctrl+Enter"},
        {"MAddSeparator", "セパレータの追加", false, nullptr},
        {"MAddPage", "ページの追加", false, "Shift+Ins"},
        {"MChangePage", "ページのプロパティ", false, "Shift+Ctrl+P"},
        {"MDeletePage", "ページの削除", false, "Shift+Del"},
        {"MSmartBar", "スマートバー", false, "Ctrl+S"},
        {"MKeywordBar", "キーワードバー", false, "Ctrl+K"},
        {"MHistoryBar", "履歴バー", false, "Ctrl+H"},
        {"MResourceBar", "リソースバー", false, "Ctrl+R"},
        {"MStopAutoRun", "AutoRun", true, "Ctrl+Alt+F5"},
        {"MOpenFolder", "フォルダを開く", true, "Ctrl+Alt+F6"},
        {"MScreenSaver", "スクリーンセーバー", true, "Ctrl+Alt+F7"},
        {"MShutdown", "Windowsの終了", true, "Ctrl+Alt+F8"},
        {"MReboot", "Windowsの再起動", true, "Ctrl+Alt+F9"},
        {"MOption", "設定", false, "Ctrl+O"},
        {"MClearHistory", "履歴のクリア", false, "*None"},
        {"MStartup", "スタートアップに登録", false, "*None"},
        {"MHelp", "ヘルプ", false, "F1"},
        {"MHint", "ヒント", false, nullptr},
        {"MHomePage", "作者ホームページ", false, "*None"},
        {"MBugReport", "バグ報告", false, nullptr},
        {"MAbout", "バージョン情報", false, "*None"},
        {"MExit", "終了", false, "*None"},
    }};
    return table;
}

bool ActionHotKey(int32_t index) { return index >= 0 && index < ActionCount && ActionTable()[index].HotKey; }

int32_t IndexOfAction(std::string_view name) {
    for (int32_t i = 0; i < ActionCount; ++i)
        if (SameText(ActionTable()[i].Name, name)) return i;
    return -1;
}

// The name of a virtual key as menus write it; empty for keys without one.
static std::string KeyName(uint8_t key) {
    static const char* const navigation[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};
    if (key == 0x08) return "BkSp";
    if (key == 0x09) return "Tab";
    if (key == 0x0D) return "Enter";
    if (key == 0x1B) return "Esc";
    if (key >= 0x20 && key <= 0x28) return navigation[key - 0x20];
    if (key == 0x2D) return "Ins";
    if (key == 0x2E) return "Del";
    if (key >= 0x30 && key <= 0x39) return std::string(1, static_cast<char>(key));
    if (key >= 0x41 && key <= 0x5A) return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69) return std::string(1, static_cast<char>('0' + key - 0x60));  // numeric keypad
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
    return std::string();
}

std::string ShortCutToText(uint16_t shortCut) {
    std::string name = KeyName(static_cast<uint8_t>(shortCut & 0xFF));
    if (name.empty()) return name;
    std::string text;
    if (shortCut & KeyShift) text += "Shift+";
    if (shortCut & KeyCtrl) text += "Ctrl+";
    if (shortCut & KeyAlt) text += "Alt+";
    return text + name;
}

static bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

uint16_t TextToShortCut(std::string_view text) {
    uint16_t modifiers = 0;
    for (;;) {
        if (TakePrefix(text, "Shift+"))
            modifiers |= KeyShift;
        else if (TakePrefix(text, "^") || TakePrefix(text, "Ctrl+"))
            modifiers |= KeyCtrl;
        else if (TakePrefix(text, "Alt+"))
            modifiers |= KeyAlt;
        else
            break;
    }
    if (text.empty()) return 0;
    for (int key = 0x08; key <= 0xFF; ++key) {
        std::string name = KeyName(static_cast<uint8_t>(key));
        if (!name.empty() && SameText(name, text)) return static_cast<uint16_t>(key | modifiers);
    }
    return 0;
}

void SetDefaultShortCuts(std::vector<std::string>& list) {
    static const int32_t order[] = {0,  1,  2,  26, 27, 28, 29, 30, 3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                    14, 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 31, 32, 33, 34, 36, 38, 39};
    list.clear();
    for (int32_t index : order) {
        const TActionInfo& action = ActionTable()[index];
        list.push_back(std::string(action.Name) + "=" + action.DefaultKey);
    }
}

void CompleteShortCuts(std::vector<std::string>& shortCuts) {
    std::vector<std::string> defaults;
    SetDefaultShortCuts(defaults);
    for (const TActionInfo& action : ActionTable())
        if (ListValue(shortCuts, action.Name).empty())
            SetListValue(shortCuts, action.Name, ListValue(defaults, action.Name));
}

std::array<uint16_t, ActionCount> MergeKeyDefinitions(std::vector<std::string>& shortCuts) {
    CompleteShortCuts(shortCuts);
    std::array<uint16_t, ActionCount> keys{};
    for (int32_t i = 0; i < ActionCount; ++i) keys[i] = TextToShortCut(ListValue(shortCuts, ActionTable()[i].Name));
    return keys;
}

std::string ShortCutToDisplayText(uint16_t shortCut, std::string_view otherKeyName) {
    const uint8_t key = static_cast<uint8_t>(shortCut & 0xFF);
    if (key == 0) return "なし";
    std::string name = KeyName(key);
    if (name.empty()) name = otherKeyName;
    if (name.empty()) {
        static const char digits[] = "0123456789ABCDEF";
        name = std::string("0x") + digits[key >> 4] + digits[key & 15];
    }
    // Joined part by part rather than by widening every "+": a layout may
    // call a key "+" itself.
    std::string text;
    if (shortCut & KeyShift) text += "Shift + ";
    if (shortCut & KeyCtrl) text += "Ctrl + ";
    if (shortCut & KeyAlt) text += "Alt + ";
    return text + name;
}
