// The program's fixed resource ids, grouped by the dialog that uses them. These numbers are part
// of the program's outside interface (the texts file keys its Greek texts by them, help texts are
// string 14000/15500/16000 + offset), so they never change. Plain macros: the resource compiler
// reads this file too.
#pragma once

// ---- Program-wide ----
#define IDI_WORDMERE 13000         // class, dialog and notification icon
#define IDR_CLICK_SOUND 25000      // RCDATA: a complete 8-bit mono WAV image
#define IDS_APP_TITLE 19001        // "Wordmere"
#define IDS_APP_TITLE_GREEK 19002  // the Greek product name, title with Greek interface texts
#define HOTKEY_LOOKUP 801          // the global hot key, registered on the main window
// Posted by the main window to itself at the end of its start: open the lookup window.
#define MSG_OPEN_LOOKUP_WINDOW 0x8001  // WM_APP + 1
// Posted by the lookup window to the main window once it holds its first results: show the
// main window's task-bar button.
#define MSG_SHOW_MAIN_WINDOW 0x8002  // WM_APP + 2

// ---- Lookup window: templates (full, compact and small form) ----
#define IDD_LOOKUP_FULL 10000
#define IDD_LOOKUP_COMPACT 10003
#define IDD_LOOKUP_SMALL 10004

// ---- Lookup window: controls ----
// Letter buttons of the alphabetical index (full form): one id per letter, 100 + k.
#define IDC_LETTER_FIRST 100
#define IDC_LETTER_LAST 125
// The two letter buttons a Greek keyboard has no letter for.
#define IDC_LETTER_NO_GREEK_A 112
#define IDC_LETTER_NO_GREEK_B 125
#define IDC_KEYBOARD_HINT 136  // hidden push button of the compact form; carries a hint only
#define IDC_SEARCH 137
#define IDC_COPY 138             // full and compact form
#define IDC_CLIPBOARD 139        // full and compact form
#define IDC_SMALL_COPY 143       // small form
#define IDC_SMALL_CLIPBOARD 144  // small form
#define IDC_WORD_LIST 12000
#define IDC_TRANSLATION_LIST 12001
#define IDC_UNUSED_EDIT 12002
#define IDC_WORD_BOX 12003
#define IDC_HINT_LINE 12006
#define IDC_STATUS_LINE 12007
#define IDC_MATCH_COUNT 12008
#define IDC_DICTIONARY_LIST 12011
#define IDC_KEYBOARD_SYSTEM 12012
#define IDC_KEYBOARD_LANG1 12013
#define IDC_KEYBOARD_LANG2 12014
#define IDC_CAPTION_WORD 25000
#define IDC_CAPTION_DICTIONARY 25001
#define IDC_KEYBOARDS_GROUP 25002

// ---- Lookup window: the names screen readers read (string and Greek texts file key) ----
#define IDS_NAME_LETTER 14601  // followed by the button's letter: "Letter A"
#define IDS_NAME_SEARCH 14602
#define IDS_NAME_COPY 14603
#define IDS_NAME_PASTE 14604
#define IDS_NAME_WORD_BOX 14605
#define IDS_NAME_WORD_LIST 14606
#define IDS_NAME_TRANSLATION_LIST 14607
#define IDS_NAME_DICTIONARY_LIST 14608

// ---- Lookup window: private commands (WM_COMMAND ids) ----
#define CMD_COPY_TRANSLATION 765
#define CMD_LOOKUP_CLIPBOARD 766
#define CMD_SWITCH_FORM 769
#define CMD_NEXT_KEYBOARD 770
#define CMD_USER_DICTIONARY 771
#define CMD_LOOKUP_AFTER_PLAYBACK 773  // notification code: how the copy keystrokes ended
// Ctrl+Enter: put the translation in place of the selection of the program the hot key came from.
#define CMD_PASTE_BACK 774
#define CMD_PASTE_DONE 775  // the paste keystrokes ended; notification code as 773
#define CMD_TIP_OF_THE_DAY 9874

// ---- Lookup window: private messages (no parameters unless noted) ----
#define MSG_END_PROGRAM 802
#define MSG_TRAY_CALLBACK 1175  // lParam = the mouse message over the notification icon
#define MSG_FOLLOW_WORD_FONT 9872
#define MSG_REFRESH_LETTERS 9873

// ---- Lookup window: system menu items (WM_SYSCOMMAND ids) ----
#define IDM_SYS_ADJUSTMENTS 101
#define IDM_SYS_ABOUT 102
#define IDM_SYS_ALWAYS_ON_TOP 103
#define IDM_SYS_BALLOONS 104
#define IDM_SYS_USER_DICTIONARY 105
#define IDM_SYS_TIP_OF_THE_DAY 106
#define IDM_SYS_EXIT 107
// The item texts: string IDS_SYSMENU_ENGLISH + item id, IDS_SYSMENU_GREEK + item id.
#define IDS_SYSMENU_ENGLISH 19000
#define IDS_SYSMENU_GREEK 19100

// ---- Lookup window: help line texts (14000 + the control's offset) ----
#define IDS_HELP_BASE 14000  // banner: product, version, F1 for help
#define IDS_HELP_LETTER 14001
#define IDS_HELP_KEYBOARD_SWITCH 14002
#define IDS_HELP_DICTIONARY_SWITCH 14003
#define IDS_HELP_COPY 14004
#define IDS_HELP_CLIPBOARD 14005
#define IDS_HELP_ENTER_WORD 14006
#define IDS_HELP_SEARCH 14007
#define IDS_HELP_HISTORY 14008
#define IDS_HELP_WORD_LIST 14009
#define IDS_HELP_TRANSLATION_LIST 14010
#define IDS_HELP_SMALL_WINDOW 14011
#define IDS_HELP_DICTIONARY_LIST 14012
#define IDS_HELP_SYSTEM_KEYBOARD 14013
#define IDS_HELP_DRIVER_KEYBOARD 14014

// ---- Lookup window: search status and dictionary names ----
#define IDS_SEARCHING_FOR 14501
#define IDS_CANT_FIND_WORD 14502
#define IDS_TOO_MANY_WORDS 14503
// Deliberately missing from the string table: loading it gives the empty text that clears the
// status line after a scan.
#define IDS_STATUS_CLEAR 14504
#define IDS_THESAURUS_TITLE 14505
#define IDS_GREEK_ENGLISH_TITLE 14506
// Why the first word listed is not the word typed: the label before it in the status line.
#define IDS_FORM_OF 14520
#define IDS_DID_YOU_MEAN 14521
#define IDS_IN_GREEK_LETTERS 14522
#define IDS_PHRASES_WITH 14523
// The word list's context menu: its one item (its text the string of the same id).
#define IDM_PHRASES_WITH 14524
// Status texts of the hot key's copy and of the paste back.
#define IDS_NOTHING_SELECTED 14530
#define IDS_PASTE_NO_SOURCE 14531
#define IDS_PASTE_SOURCE_GONE 14532
#define IDS_PASTE_NO_TRANSLATION 14533
#define IDS_PASTE_UNANSWERED 14534

// ---- Information notice (template 10006) ----
#define IDD_INFORMATION 10006
#define IDC_INFORMATION_FRAME 65535
#define IDC_PICTURE 12009  // area of the picture (also the About dialog's)
#define IDC_INFORMATION_TEXT 12010
#define IDB_INFORMATION_PICTURE 1142
// Greek texts file keys of the title and of the OK button (the template holds the English).
#define KEY_INFORMATION_TITLE 14507
#define KEY_INFORMATION_OK 15001
// Messages shown through the notice.
#define IDS_HOTKEY_IN_USE 14508
#define IDS_OUT_OF_MEMORY 14509
#define IDS_CANT_OPEN_FILES 14510
#define IDS_CANT_OPEN_USER_DICTIONARY 14511
// The file's name takes the place of its %s.
#define IDS_DICTIONARY_DAMAGED 14513
// A portable program's folder cannot be written: the settings go to the user's own places.
#define IDS_PORTABLE_FOLDER_READ_ONLY 14540

// ---- User dictionary maintenance (template 10007) ----
// Also in this dialog: the found words IDC_WORD_LIST, the help line IDC_HINT_LINE and the
// keyboard radio buttons IDC_KEYBOARD_SYSTEM .. IDC_KEYBOARD_LANG2, as in the lookup window.
#define IDD_USER_DICTIONARY 10007
#define IDC_USERDICT_WORD 2014
#define IDC_USERDICT_TRANSLATION 2015
#define IDC_USERDICT_REPLACE 2016
#define IDC_USERDICT_DELETE 2017
#define IDC_USERDICT_SEARCH 2018
#define IDC_USERDICT_ADD 2019
// The captions' ids are their Greek texts file keys too.
#define IDC_USERDICT_KEYBOARDS_GROUP 17006
#define IDC_USERDICT_WORD_CAPTION 17007
#define IDC_USERDICT_TRANSLATION_CAPTION 17008
#define IDC_USERDICT_BUTTONS_FRAME 65535  // an unnamed frame, as in the Information notice
// Greek texts file keys of the title and the buttons.
#define KEY_USERDICT_TITLE 17000
#define KEY_USERDICT_SEARCH 17001
#define KEY_USERDICT_ADD 17002
#define KEY_USERDICT_DELETE 17003
#define KEY_USERDICT_REPLACE 17004
#define KEY_USERDICT_OK 17005
// Help line texts (16000 + the control's offset).
#define IDS_USERDICT_HELP_BASE 16000  // banner: product, version, F1 for help
#define IDS_USERDICT_HELP_WORD 16001
#define IDS_USERDICT_HELP_TRANSLATION 16002
#define IDS_USERDICT_HELP_WORD_LIST 16003
#define IDS_USERDICT_HELP_SYSTEM_KEYBOARD 16004
#define IDS_USERDICT_HELP_DRIVER_KEYBOARD 16005
#define IDS_USERDICT_HELP_SEARCH 16006
#define IDS_USERDICT_HELP_ADD 16007
#define IDS_USERDICT_HELP_REPLACE 16008
#define IDS_USERDICT_HELP_DELETE 16009
#define IDS_USERDICT_HELP_CLOSE 16010
// Messages shown through the notice when a word is not stored.
#define IDS_USERDICT_MARKER_WORD 16020
#define IDS_USERDICT_WRITE_ERROR 16021
#define IDS_USERDICT_RECORD_CHANGED 16022
// ---- Tip of the day ----
#define IDS_DID_YOU_KNOW 14512

// ---- Button bitmaps: id = base + look ----
#define BMP_LOOK_NORMAL 1000
#define BMP_LOOK_PRESSED 3000  // also the current letter
#define BMP_LOOK_FOCUSED 5000
#define BMP_LOOK_DISABLED 7000
// Letter buttons 100-125 use their own id as base (Latin capitals A-Z, normal and pressed only).
// The Greek capitals without a Latin twin, normal and pressed only:
#define BMP_BASE_GREEK_GAMMA 126
#define BMP_BASE_GREEK_DELTA 127
#define BMP_BASE_GREEK_THETA 128
#define BMP_BASE_GREEK_LAMDA 129
#define BMP_BASE_GREEK_XI 130
#define BMP_BASE_GREEK_PI 131
#define BMP_BASE_GREEK_SIGMA 132
#define BMP_BASE_GREEK_PHI 133
#define BMP_BASE_GREEK_PSI 134
#define BMP_BASE_GREEK_OMEGA 135
// Command buttons, all four looks.
#define BMP_BASE_SEARCH 137
#define BMP_BASE_COPY_GREEK 138
#define BMP_BASE_CLIPBOARD_GREEK 139
#define BMP_BASE_SMALL_COPY 143
#define BMP_BASE_SMALL_CLIPBOARD 144
#define BMP_BASE_CLIPBOARD_ENGLISH 151
#define BMP_BASE_COPY_ENGLISH 152

// ---- About (template 10001) ----
#define IDD_ABOUT 10001
// The picture area is IDC_PICTURE, as in the notice.
#define IDC_ABOUT_DICTIONARY_TITLE 16501
#define IDC_ABOUT_VERSION 16502
#define IDC_ABOUT_PUBLISHER_FIRST 16503  // four publisher lines, 16503-16506
#define IDC_ABOUT_PUBLISHER_LAST 16506
#define IDC_ABOUT_INFORMATION_LIST 12015
#define IDB_ABOUT_FIRST_FRAME 1145  // six frames, 1145-1150
#define ABOUT_LAST_FRAME 5
// Greek texts file keys of the title and of OK; the version and publisher lines use their own ids.
#define KEY_ABOUT_TITLE 16500
#define KEY_ABOUT_OK 16507

// ---- Program adjustments (template 10005) ----
#define IDD_ADJUSTMENTS 10005
#define IDC_HOTKEY_SHIFT 2001
#define IDC_HOTKEY_CONTROL 2002
#define IDC_HOTKEY_ALT 2003
#define IDC_HOTKEY_DISABLE 2004
#define IDC_OPTION_ACCENT 2005
#define IDC_OPTION_ROOT 2006
#define IDC_OPTION_FORM_TYPE 2007
#define IDC_OPTION_USE_GREEK 2008
#define IDC_HOTKEY_KEY_LIST 2009
#define IDC_ADJUSTMENTS_OK 2011
#define IDC_OPTION_CLIPBOARD 2012
#define IDC_OPTION_LARGE_FONT 2013
#define IDC_OPTION_SOUNDS 2022
#define IDC_OPTION_USER_DICTIONARY 2023
#define IDC_OPTION_TASK_BAR_ICON 2024
#define IDC_OPTION_GIVE_BACK_CLIPBOARD 2026
#define IDC_OPTION_SEARCH_AS_YOU_TYPE 2025
// The help line is IDC_HINT_LINE, as in the lookup window. The three statics also key their
// Greek texts by their own ids.
#define IDC_HOTKEY_TEXT 17503
#define IDC_HOTKEY_KEY_TEXT 17504
#define IDC_ACCENT_EXAMPLES 17505  // its text is read from the texts file in both languages
#define KEY_ADJUSTMENTS_TITLE 17500
#define KEY_ADJUSTMENTS_CANCEL 17501
#define KEY_ADJUSTMENTS_OK 17502
// The key list: string IDS_KEY_NAME_BASE + virtual-key code, for the codes that have a name.
#define IDS_KEY_NAME_BASE 9000
#define KEY_NAME_FIRST_CODE 8
#define KEY_NAME_LAST_CODE 222
// Help line texts: 15500 + the control's offset.
#define IDS_ADJUSTMENTS_HELP_BASE 15500
#define IDS_ADJUSTMENTS_HELP_LAST 15518

// ---- Tip of the day (template 10008) ----
#define IDD_TIP_OF_THE_DAY 10008
#define IDC_TIP_PANEL IDC_PICTURE  // hidden; marks the painted panel
#define IDC_TIP_PICTURE 12016
#define IDC_SHOW_TIPS 12017
#define IDB_TIP_FIRST_FRAME 1153  // five frames, 1153-1157
#define TIP_LAST_FRAME 4
#define KEY_TIP_TITLE 18000
#define KEY_TIP_SHOW_TIPS 18001
#define KEY_TIP_NEXT 18002
#define KEY_TIP_CLOSE 18003

// ---- Help balloons (lookup window, program adjustments, user dictionary) ----
#define TIMER_BALLOON_DELAY 6554
#define TIMER_BALLOON_LIFE 6555
// The lookup window's search of the word box once typing pauses.
#define TIMER_SEARCH_AS_YOU_TYPE 6556
// The picture animation of About and Tip of the Day.
#define TIMER_PICTURE 10
