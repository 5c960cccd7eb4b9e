#include "settings/keys.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/corner.h"
#include "settings/name_value.h"
#include "settings/sounds.h"

TEST(Keys, ActionTable) {
    std::set<std::string> names;
    for (int32_t i = 0; i < ActionCount; ++i) {
        names.insert(ActionTable()[i].Name);
        bool hotKey = i <= 2 || (i >= 26 && i <= 30);
        EXPECT_EQ(ActionHotKey(i), hotKey) << i;
        EXPECT_EQ(IndexOfAction(ActionTable()[i].Name), i);
    }
    EXPECT_EQ(names.size(), 40u);
    EXPECT_FALSE(ActionHotKey(-1));
    EXPECT_FALSE(ActionHotKey(40));
    EXPECT_EQ(IndexOfAction("mhelp"), 34);
    EXPECT_EQ(IndexOfAction("Nothing"), -1);
}

TEST(Keys, KeyTextRoundTripsForEveryKeyName) {
    std::vector<uint8_t> named = {0x08, 0x09, 0x0D, 0x1B};
    for (int key = 0x20; key <= 0x28; ++key) named.push_back(static_cast<uint8_t>(key));
    named.push_back(0x2D);
    named.push_back(0x2E);
    for (int key = '0'; key <= '9'; ++key) named.push_back(static_cast<uint8_t>(key));
    for (int key = 'A'; key <= 'Z'; ++key) named.push_back(static_cast<uint8_t>(key));
    for (int key = 0x70; key <= 0x87; ++key) named.push_back(static_cast<uint8_t>(key));
    for (uint8_t key : named) {
        for (uint16_t modifiers = 0; modifiers < 8; ++modifiers) {
            auto combination = static_cast<uint16_t>(key | (modifiers << 13));
            std::string text = ShortCutToText(combination);
            ASSERT_FALSE(text.empty()) << int(key);
            EXPECT_EQ(TextToShortCut(text), combination) << text;
        }
    }
    EXPECT_EQ(ShortCutToText(0x4000 | 0x8000 | 'L'), "Ctrl+Alt+L");
    EXPECT_EQ(ShortCutToText(0x2000 | 0x4000 | 'P'), "Shift+Ctrl+P");
    EXPECT_EQ(ShortCutToText(0x4000 | 0x0D), "Ctrl+Enter");
    EXPECT_EQ(ShortCutToText(0x87), "F24");
    EXPECT_EQ(ShortCutToText(0x2000 | 0x2D), "Shift+Ins");
    EXPECT_EQ(ShortCutToText(0x61), "1");  // keypad digits read back as the main digits
    EXPECT_EQ(ShortCutToText(0x4000 | 0xBA), "");
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST(Keys, KeyTextParsing) {
    EXPECT_EQ(TextToShortCut("alt+CTRL+l"), 0xC000 | 'L');
    EXPECT_EQ(TextToShortCut("^P"), 0x4000 | 'P');
    EXPECT_EQ(TextToShortCut("pgdn"), 0x22);
    EXPECT_EQ(TextToShortCut("*None"), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Ctrl+Foo"), 0);
    EXPECT_EQ(TextToShortCut("F25"), 0);
    EXPECT_EQ(TextToShortCut(" Ins"), 0);
    EXPECT_EQ(TextToShortCut(""), 0);
}

TEST(Keys, DefaultShortCutsAndMerge) {
    std::vector<std::string> list = {"junk"};
    SetDefaultShortCuts(list);
    ASSERT_EQ(list.size(), 37u);
    EXPECT_EQ(list[0], "MActivate=Ctrl+Alt+L");
    EXPECT_EQ(list[3], "MStopAutoRun=Ctrl+Alt+F5");
    EXPECT_EQ(list[7], "MReboot=Ctrl+Alt+F9");
    EXPECT_EQ(list[8], "MEdit=*None");
    EXPECT_EQ(list[22], "MOpenThisFolder=Ctrl+Enter");
    EXPECT_EQ(list[23], "MAddPage=Shift+Ins");
    EXPECT_EQ(list[36], "MExit=*None");
    EXPECT_EQ(IndexOfName(list, "MAddSeparator"), -1);
    EXPECT_EQ(IndexOfName(list, "MHint"), -1);
    EXPECT_EQ(IndexOfName(list, "MBugReport"), -1);

    // A list lacking MHelp gets F1 back; a user's key stays; bad text gives no key.
    std::vector<std::string> user = {"MActivate=Ctrl+Alt+Z", "MOption=Nonsense", "mhint=Shift+F2", "MExit="};
    auto keys = MergeKeyDefinitions(user);
    EXPECT_EQ(keys[0], 0xC000 | 'Z');
    EXPECT_EQ(keys[31], 0);
    EXPECT_EQ(keys[35], 0x2000 | 0x71);
    EXPECT_EQ(keys[34], 0x70);
    EXPECT_EQ(ListValue(user, "MHelp"), "F1");
    EXPECT_EQ(keys[18], 0);  // MAddSeparator: no default, no line
    EXPECT_EQ(IndexOfName(user, "MAddSeparator"), -1);
    EXPECT_EQ(ListValue(user, "MExit"), "*None");
    EXPECT_EQ(keys[39], 0);
    EXPECT_EQ(keys[4], 0x2D);
}

TEST(Keys, NameValueLists) {
    std::vector<std::string> list = {"NoEquals", "A=1=2", "a=3"};
    EXPECT_EQ(ListValue(list, "A"), "1=2");
    EXPECT_EQ(ListValue(list, "NoEquals"), "");
    SetListValue(list, "a", "9");
    EXPECT_EQ(list[1], "a=9");
    SetListValue(list, "B", "x");
    EXPECT_EQ(list.back(), "B=x");
    SetListValue(list, "A", "");
    EXPECT_EQ(ListValue(list, "A"), "3");
}

TEST(Sounds, DefaultsAndRequests) {
    std::vector<std::string> list;
    SetDefaultSounds(list);
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[0], "Launch=*MenuCommand");
    EXPECT_EQ(list[4], "ClickPage=*MenuPopup");
    EXPECT_EQ(list[9], "Delete=*None");
    EXPECT_EQ(SoundChoiceTable()[1].Value, nullptr);

    EXPECT_FALSE(SoundRequestFor("").Play);
    TSoundRequest alias = SoundRequestFor("*SystemStart");
    EXPECT_TRUE(alias.Play);
    EXPECT_EQ(alias.Name, "SystemStart");
    EXPECT_EQ(alias.Flags, 0x10003u);
    TSoundRequest file = SoundRequestFor("C:\\Sounds\\ding.wav");
    EXPECT_EQ(file.Name, "C:\\Sounds\\ding.wav");
    EXPECT_EQ(file.Flags, 0x20001u);
}

TEST(Corner, TriggerRepeatsAfterEachPause) {
    EXPECT_EQ(CornerAction(0), -1);
    EXPECT_EQ(CornerAction(4), 27);
    EXPECT_EQ(CornerAction(7), 30);
    EXPECT_EQ(CornerAction(8), -1);
    // Corners are watched only when one of them has an action.
    EXPECT_FALSE(AnyCornerAction({0, 0, 0, 0}));
    EXPECT_FALSE(AnyCornerAction({0, 9, -1, 0}));
    EXPECT_TRUE(AnyCornerAction({0, 0, 0, 4}));

    TCornerState state;
    TCornerInput in;
    in.Width = 1024;
    in.Height = 768;
    in.CornerCall = {0, 4, 0, 4};
    in.CornerPause = 500;
    in.X = 1023;
    in.Y = 767;
    in.Now = 1000;
    EXPECT_EQ(CornerTick(state, in), -1);  // just arrived
    in.Now = 1499;
    EXPECT_EQ(CornerTick(state, in), -1);
    in.Now = 1500;
    EXPECT_EQ(CornerTick(state, in), ActionOpenFolder);
    CornerActionFinished(state, 1700);  // the action took 200 ms
    in.Now = 2199;
    EXPECT_EQ(CornerTick(state, in), -1);
    in.Now = 2200;
    EXPECT_EQ(CornerTick(state, in), ActionOpenFolder);

    // Another corner with the same value does not restart the wait.
    in.X = 1023;
    in.Y = 0;
    in.Now = 2700;
    EXPECT_EQ(CornerTick(state, in), ActionOpenFolder);

    // Leaving the corners forgets; coming back waits again.
    in.X = 500;
    in.Now = 2800;
    EXPECT_EQ(CornerTick(state, in), -1);
    in.X = 1023;
    in.Now = 2900;
    EXPECT_EQ(CornerTick(state, in), -1);

    // A stamp later than now (the counter wrapped) is due at once.
    state.Stamp = 0xFFFFFF00u;
    in.Now = 10;
    EXPECT_EQ(CornerTick(state, in), ActionOpenFolder);

    // A corner without an action never runs one; an edge is not a corner.
    in.X = 0;
    in.Y = 0;
    in.Now = 100000;
    EXPECT_EQ(CornerTick(state, in), -1);
    in.Now = 200000;
    EXPECT_EQ(CornerTick(state, in), -1);
    in.Y = 5;
    EXPECT_EQ(CornerTick(state, in), -1);
    EXPECT_EQ(state.Value, -1);
}

TEST(Keys, CompleteShortCutsFillsOnlyWhatIsMissing) {
    std::vector<std::string> list;
    CompleteShortCuts(list);  // as read without a settings file
    ASSERT_EQ(list.size(), 37u);
    EXPECT_EQ(list[0], "MActivate=Ctrl+Alt+L");  // in action order
    EXPECT_EQ(list[3], "MEdit=*None");
    EXPECT_EQ(IndexOfName(list, "MHint"), -1);

    std::vector<std::string> user = {"MHelp=F2", "MEdit=", "MHint=Ctrl+1", "Unknown=F3"};
    CompleteShortCuts(user);
    EXPECT_EQ(user[0], "MHelp=F2");
    EXPECT_EQ(ListValue(user, "MEdit"), "*None");  // empty counts as missing
    EXPECT_EQ(ListValue(user, "MHint"), "Ctrl+1");
    EXPECT_EQ(ListValue(user, "Unknown"), "F3");
    EXPECT_EQ(user.size(), 39u);
    std::vector<std::string> again = user;
    CompleteShortCuts(again);
    EXPECT_EQ(again, user);
}
