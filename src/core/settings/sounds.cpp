#include "settings/sounds.h"

const std::array<TSoundEventInfo, SoundEventCount>& SoundEventTable() {
    static const std::array<TSoundEventInfo, SoundEventCount> table = {{
        {"Launch", "起動", "*MenuCommand"},
        {"ChangeLayout", "配置の変更", "*RestoreUp"},
        {"BarDocking", "バーのドッキング", "*Minimize"},
        {"BarFloating", "バーのフローティング", "*Maximize"},
        {"ClickPage", "ページタブのクリック", "*MenuPopup"},
        {"AddButton", "ボタンの追加", "*None"},
        {"AddSeparator", "セパレータの追加", "*None"},
        {"AddPage", "ページの追加", "*None"},
        {"DragDrop", "整理", "*None"},
        {"Delete", "削除", "*None"},
    }};
    return table;
}

const std::array<TSoundChoice, SoundChoiceCount>& SoundChoiceTable() {
    static const std::array<TSoundChoice, SoundChoiceCount> table = {{
        {"*None", "（なし）"},
        {nullptr, "（指定する）"},
        {"*MenuCommand", "メニューコマンド"},
        {"*MenuPopup", "メニューポップアップ"},
        {"*Maximize", "最大化"},
        {"*Minimize", "最小化"},
        {"*RestoreUp", "元に戻す（拡大）"},
        {"*RestoreDown", "元に戻す（縮小）"},
        {"*SystemStart", "Windowsの起動"},
        {"*SystemExit", "Windowsの終了"},
    }};
    return table;
}

void SetDefaultSounds(std::vector<std::string>& list) {
    list.clear();
    for (const auto& event : SoundEventTable()) list.push_back(std::string(event.Name) + "=" + event.DefaultSound);
}

TSoundRequest SoundRequestFor(std::string_view value) {
    TSoundRequest request;
    if (value.empty()) return request;
    request.Play = true;
    if (value[0] == '*') {
        request.Name = std::string(value.substr(1));
        request.Flags = SoundAliasFlags;
    } else {
        request.Name = std::string(value);
        request.Flags = SoundFileFlags;
    }
    return request;
}
