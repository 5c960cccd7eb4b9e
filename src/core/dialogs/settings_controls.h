// Control identifiers of the settings dialog's sixteen pages. Shared by the
// page templates (read by the resource compiler, so only #defines) and by the
// portable description of the pages, which names its fields by them.
//
// A number field N is an edit box with its up-down control at N + 1, its
// label at N + 2 and its unit label at N + 3. Radio groups take consecutive
// identifiers from the first button.
#pragma once

// 一般
#define IDC_SHOW_ICON 1001
#define IDC_ACTIVATE_ON_LAUNCH 1002
#define IDC_AUTO_SAVE 1003
#define IDC_HORIZONTAL_TAB 1004
#define IDC_POINT_OPEN 1005
#define IDC_AUTO_ADJUST 1006
#define IDC_POINT_PAUSE 1010
#define IDC_MAX_TAB_WIDTH 1014
#define IDC_MIN_TAB_WIDTH 1018
// インターバル
#define IDC_CHECK_MOUSE_POS_INTERVAL 1110
#define IDC_CALC_RESOURCE_INTERVAL 1114
#define IDC_INTERVAL_GROUP1 1101
#define IDC_INTERVAL_GROUP2 1102
// レイアウト
#define IDC_TITLE_BAR_LAYOUT 1201
#define IDC_TITLE_BAR_LAYOUT_LABEL 1202
#define IDC_CAPTION_WIDTH 1210
#define IDC_PAGE_TAB_LAYOUT 1203
#define IDC_PAGE_TAB_LAYOUT_LABEL 1204
#define IDC_SYSTEM_BUTTON_LAYOUT 1205
#define IDC_SYSTEM_BUTTON_LAYOUT_LABEL 1206
// 隠れ方
#define IDC_AUTO_HIDE 1301
#define IDC_SHOW_ON_POINT 1302
#define IDC_HIDE_SMOOTHLY 1303
#define IDC_SHOW_PAUSE 1310
#define IDC_HIDE_PAUSE 1314
#define IDC_HIDE_WIDTH 1318
// スクロール
#define IDC_SCROLL_STYLE 1401
#define IDC_SCROLL_STYLE_LABEL 1402
#define IDC_SCROLL_POINT_REPEAT 1403
#define IDC_SCROLL_CLICK_REPEAT 1404
#define IDC_SCROLL_CLICK_SINGLE 1405
#define IDC_SMOOTH_SCROLL 1406
// 表示
#define IDC_BUTTON_STYLE 1501
#define IDC_BUTTON_STYLE_LABEL 1502
#define IDC_FONT_NAME 1503
#define IDC_FONT_NAME_LABEL 1504
#define IDC_GUIDE_STYLE 1505
#define IDC_GUIDE_STYLE_LABEL 1506
// 背景
#define IDC_WALLPAPER_NAME 1601
#define IDC_WALLPAPER_LABEL 1602
#define IDC_WALLPAPER_REFERENCE 1603
#define IDC_CHECK_SCREEN_BITS 1604
#define IDC_TRANSPARENT 1610
// 色
#define IDC_WINDOWS_COLOR 1701
#define IDC_CUSTOM_COLOR 1702
#define IDC_COLOR_BUTTON0 1710  // seven buttons, Colors[0..6]
#define IDC_COLOR_LABEL0 1720   // their labels
// サウンド
#define IDC_SOUND_ACTION 1801
#define IDC_SOUND_ACTION_LABEL 1802
#define IDC_SOUND_KIND 1803
#define IDC_SOUND_KIND_LABEL 1804
#define IDC_SOUND_FILE 1805
#define IDC_SOUND_FILE_LABEL 1806
#define IDC_SOUND_REFERENCE 1807
#define IDC_SOUND_TEST 1808
// キーボード
#define IDC_KEY_ACTION 1901
#define IDC_KEY_ACTION_LABEL 1902
#define IDC_HOT_KEY 1903
#define IDC_HOT_KEY_LABEL 1904
#define IDC_SHORT_CUT 1905
#define IDC_SHORT_CUT_LABEL 1906
#define IDC_HOT_KEY_FAILED 1907
// リソースバー
#define IDC_RESOURCE_VIEW_MODE 2001
#define IDC_RESOURCE_VIEW_MODE_LABEL 2002
#define IDC_RESOURCE_YELLOW 2010
#define IDC_RESOURCE_RED 2014
#define IDC_RESOURCE_WARNING 2003
// システムボタン
#define IDC_VISIBLE_STOP_AUTO_RUN 2101
#define IDC_VISIBLE_OPEN_FOLDER 2102
#define IDC_VISIBLE_SCREEN_SAVER 2103
#define IDC_VISIBLE_SHUTDOWN 2104
#define IDC_VISIBLE_REBOOT 2105
#define IDC_CONFIRM_SHUTDOWN 2106
#define IDC_CONFIRM_REBOOT 2107
// フォルダ1
#define IDC_FILER_MY_COMPUTER 2201
#define IDC_FILER_EXPLORER 2202
#define IDC_FILER_CUSTOM 2203
#define IDC_FILER_NAME 2204
#define IDC_FILER_REFERENCE 2205
#define IDC_BREAK_FOLDER_MENU 2206
#define IDC_EXPAND_APPLICATION 2207
// フォルダ2
#define IDC_CUSTOM_FOLDERS 2301
#define IDC_CUSTOM_FOLDERS_LABEL 2302
#define IDC_ADD_FOLDER 2303
#define IDC_DELETE_FOLDER 2304
#define IDC_CUSTOM_EXTS 2305
#define IDC_CUSTOM_EXTS_LABEL 2306
#define IDC_EXT 2307
#define IDC_ADD_EXT 2308
#define IDC_DELETE_EXT 2309
// フォルダ3: fifteen checks in the order of TVisibleFolders' captions
#define IDC_FOLDER_CHECK0 2401
// コーナーコール
#define IDC_CORNER0 2501  // four lists: top-left, top-right, bottom-left, bottom-right
#define IDC_CORNER_LABEL0 2511
#define IDC_CORNER_PAUSE 2520
