#include "app/lookup_dialog_win.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <windowsx.h>

#include "ui/help_win.h"
#include "dialogs/information_win.h"
#include "settings/interface_texts_win.h"
#include "app/program_state_win.h"
#include "settings/settings_win.h"
#include "ui/sound_win.h"
#include "ui/tray_win.h"
#include "dialogs/about_dialog_win.h"
#include "dialogs/about_lines.h"
#include "dialogs/adjustments_dialog_win.h"
#include "dialogs/help_balloons_win.h"
#include "dialogs/tip_dialog_win.h"
#include "dialogs/tips.h"
#include "engine/catalogue.h"
#include "engine/code_pages.h"
#include "engine/folding.h"
#include "engine/search.h"
#include "keyboard/copy_playback.h"
#include "keyboard/copy_playback_win.h"
#include "keyboard/keyboard_hooks_win.h"
#include "keyboard/keyboard_layout_win.h"
#include "keyboard/keyboard_selection.h"
#include "resources/resource_ids.h"
#include "ui/accessible_name_win.h"
#include "ui/clipboard_win.h"
#include "ui/dictionary_choice.h"
#include "ui/forms_win.h"
#include "ui/list_controls_win.h"
#include "app/lookup_adapters_win.h"
#include "ui/lookup_rules.h"
#include "ui/result_list_win.h"
#include "ui/stored_text_win.h"
#include "ui/word_box_font_win.h"
#include "userdict/user_dict_path_win.h"

namespace {

constexpr size_t kStatusTextSize = 150;
constexpr size_t kMenuTextSize = 80;
// The word box text the dialog reads: at most 39 characters.
constexpr size_t kMaxWordBoxChars = 39;
// The current word holds 79 characters (a double-clicked translation can be that long; the
// search itself takes the first 39).
constexpr size_t kCurrentWordSize = 80;
// A translation list item: 150 characters at most.
constexpr size_t kTranslationTextSize = 151;
// With search as you type, the pause in typing after which the lists follow the word box: long
// enough that a word typed at speed is searched once, short enough to feel immediate.
constexpr UINT kSearchAsYouTypeDelayMs = 150;

// What one run of the lookup dialog keeps between messages. It lives on the stack of
// ShowLookupDialog and reaches the procedure through lParam into GWLP_USERDATA; what outlives a
// run (settings, engine, fonts) is the program's state.
struct LookupDialogData {
    char currentWord[kCurrentWordSize] = {};
    QueryScript currentScript = QueryScript::kFromBytes;  // of currentWord, when it was typed
    int currentLetter = 0;             // the index button drawn pressed (the Key setting)
    int lastDictionarySelection = -1;  // index of list 12011 at the last dictionary change
    int openDictionary = -1;           // index of list 12011 of the dictionary open now
    bool balloonShown = false;
    // The notification icon this run added and has not removed: what the window ends with,
    // whatever the setting says by then (the adjustments may have just turned it off).
    bool trayIconShown = false;
    // The lists show a word searched as it was typed, which Enter still adds to the history.
    bool typedWordUnrecorded = false;
    HWND trayClickSource = nullptr;
    WordBoxFont wordFont;
};

LookupDialogData& State(HWND dialog) {
    return *reinterpret_cast<LookupDialogData*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

bool SearchLookupWord(HWND dialog, bool keepCursor = false);
void AddLookupHistory(HWND dialog, const char* word);
void RefreshLetterButtons(HWND dialog);
void InitLookupStatus(HWND dialog);
void NameControls(HWND dialog);
void NameLetterButtons(HWND dialog);

LookupForm CurrentForm() {
    const Settings& settings = Program().settings;
    return LookupFormOf(settings.FormType, settings.DialogState);
}

bool IsSmallForm() {
    return CurrentForm() == LookupForm::kSmall;
}

Settings& CurrentSettings() {
    return Program().settings;
}

bool IsFullForm() {
    return CurrentForm() == LookupForm::kFull;
}

SearchOptions LookupSearchOptions(HWND dialog) {
    const Settings& settings = CurrentSettings();
    SearchOptions options;
    options.accent = settings.Accent != 0;
    options.root = settings.Root != 0;
    options.useGreek = settings.UseGreek != 0;
    options.useUserDict = settings.UseUserDict != 0;
    options.queryScript = State(dialog).currentScript;
    return options;
}

WinLookupFields DialogFields(HWND dialog) {
    return WinLookupFields(dialog, State(dialog).currentWord, kCurrentWordSize,
                           Program().engine.lastSearched);
}

void SaveLookupSettings(HWND dialog) {
    WinLookupFields fields = DialogFields(dialog);
    // The keyboard in use, not the one loaded at start: a choice made since must outlive a form
    // switch and a restart.
    CurrentSettings().GrEng = CurrentKeyboard.mode;
    SaveSettings(CurrentSettings(), ProcessSettingsStorage(), fields);
}

void LoadInterfaceTextFor(unsigned id, char* buffer, size_t size) {
    Program().texts.Load(id, CurrentSettings().UseGreek != 0, buffer, size);
}

// The word box's text as stored bytes. Typed text knows its script ("ö" is Latin although its
// byte is that of "φ"): the search is told, unless only the bytes are wanted.
void ReadWordBox(HWND dialog, char* word, QueryScript* script = nullptr) {
    HWND box = GetDlgItem(dialog, IDC_WORD_BOX);
    GetStoredWindowText(box, word, kMaxWordBoxChars);
    if (script) {
        wchar_t typed[kMaxWordBoxChars + 1] = {};
        GetWindowTextW(box, typed, kMaxWordBoxChars + 1);
        *script = IsGreekTypedText(std::u16string(typed, typed + wcslen(typed)))
                      ? QueryScript::kGreek
                      : QueryScript::kLatin;
    }
}

// Opens the chosen dictionary, or the one open before (the first at start) when the choice
// cannot be opened. False when no entry opens at all.
bool OpenDictionary(HWND dialog) {
    ProgramState& program = Program();
    LookupDialogData& state = State(dialog);
    program.catalogue.useGreek = program.settings.UseGreek != 0;
    WinCatalogueDialog catalogueDialog(dialog, *ProcessSettingsStorage().history, program.texts,
                                       ProgramLanguage(program));
    int open = OpenDictionaryChoice(program.engine, program.catalogue, catalogueDialog,
                                    state.openDictionary);
    state.openDictionary = open;
    return open >= 0;
}

// The word box shows the word the lists were filled for, or a longer word that begins with it
// (the history entry of a word the closest-word search shortened).
void ShowCurrentWord(HWND dialog) {
    char shown[kMaxWordBoxChars + 1];
    ReadWordBox(dialog, shown);
    char word[kCurrentWordSize];
    snprintf(word, sizeof word, "%s", State(dialog).currentWord);
    TrimTrailingSpaces(word);
    TrimLeadingSpaces(word);
    if (!StartsWithNoCase(shown, word)) {
        SetStoredWindowText(GetDlgItem(dialog, IDC_WORD_BOX), word);
    }
}

void KillBalloonTimers(HWND dialog) {
    KillTimer(dialog, TIMER_BALLOON_LIFE);
    CancelPendingBalloon(dialog);
}

// What the help of this window draws with.
HelpContext LookupHelp() {
    const ProgramState& program = Program();
    HelpContext help;
    help.instance = program.instance;
    help.textsFile = program.textsFile;
    help.useGreek = program.settings.UseGreek != 0;
    help.balloonsOn = program.settings.Balloons != 0;
    help.balloonFont = program.balloonFont;
    help.saveBitmap = program.balloonSaveBitmap;
    return help;
}

// The common end of a handled message: a balloon on screen goes away.
INT_PTR ExitMessage(HWND dialog) {
    HideDialogBalloon(LookupHelp(), dialog, &State(dialog).balloonShown);
    return FALSE;
}

void AppendSystemMenu(HWND dialog) {
    HMENU menu = GetSystemMenu(dialog, FALSE);
    const Settings& settings = CurrentSettings();
    unsigned base = settings.UseGreek ? IDS_SYSMENU_GREEK : IDS_SYSMENU_ENGLISH;
    struct Item {
        UINT id;
        bool checked;
    };
    const Item items[] = {{0, false},
                          {IDM_SYS_ALWAYS_ON_TOP, settings.StayOnTop != 0},
                          {IDM_SYS_BALLOONS, settings.Balloons != 0},
                          {IDM_SYS_USER_DICTIONARY, false},
                          {IDM_SYS_ADJUSTMENTS, false},
                          {0, false},
                          {IDM_SYS_TIP_OF_THE_DAY, false},
                          {IDM_SYS_ABOUT, false},
                          {0, false},
                          {IDM_SYS_EXIT, false}};
    for (const Item& item : items) {
        if (item.id == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        wchar_t text[kMenuTextSize] = {};
        LoadStringW(Program().instance, base + item.id, text, kMenuTextSize);
        AppendMenuW(menu, MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), item.id, text);
    }
}

void SetTopmost(HWND dialog, bool onTop) {
    SetWindowPos(dialog, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

void AddProgramTrayIcon(HWND dialog) {
    ProgramState& program = Program();
    std::u16string title = StoredToUtf16(program.appTitle);
    AddTrayIcon(dialog, IDI_WORDMERE, MSG_TRAY_CALLBACK, program.appIcon,
                reinterpret_cast<const wchar_t*>(title.c_str()));
    State(dialog).trayIconShown = true;
}

void RemoveProgramTrayIcon(HWND dialog) {
    LookupDialogData& state = State(dialog);
    if (state.trayIconShown) {
        RemoveTrayIcon(dialog, IDI_WORDMERE);
    }
    state.trayIconShown = false;
}

// Ends this run of the dialog; the main window opens it again (1) or ends the program (2).
void EndLookupDialog(HWND dialog, INT_PTR result) {
    Program().lookupWindow = nullptr;
    RemoveClipboardFormatListener(dialog);
    RemoveKeyboardHooks();
    RemoveProgramTrayIcon(dialog);
    EndDialog(dialog, result);
}

// A mouse event over the notification icon.
void OnTrayCallback(HWND dialog, LPARAM mouseMessage) {
    LookupDialogData& state = State(dialog);
    if (mouseMessage == WM_MOUSEMOVE) {
        state.trayClickSource = GetForegroundWindow();
        return;
    }
    if (mouseMessage != WM_LBUTTONUP) {
        return;
    }
    HWND source = state.trayClickSource;
    if (CurrentSettings().UseClipboard && source != dialog && IsWindow(source) &&
        !IsIconic(source)) {
        // Command 773 brings the dialog forward once the keystrokes are done.
        if (!CopyPlaybackRunning()) {
            ProgramState& program = Program();
            program.captureSourceWindow = source;
            if (program.settings.GiveBackClipboard) {
                program.heldClipboard.Take(dialog);
            }
            if (!StartCopyPlayback(source, dialog)) {
                program.heldClipboard.Discard();
            }
        }
        return;
    }
    if (IsWindowVisible(dialog)) {
        SetForegroundWindow(dialog);
    } else {
        ShowWindow(dialog, SW_SHOW);
        SetForegroundWindow(dialog);
    }
    state.trayClickSource = nullptr;
}

void SearchIfNew(HWND dialog) {
    LookupDialogData& state = State(dialog);
    if (strcmp(state.currentWord, Program().engine.lastSearched) == 0) {
        return;
    }
    SearchLookupWord(dialog);
    UpdateClipboardButtons(dialog, IsSmallForm());
}

BOOL OnInitDialog(HWND dialog) {
    ProgramState& program = Program();
    LookupDialogData& state = State(dialog);
    state.wordFont.ignoreNextEdit = 0;
    ActivateUsEnglishLayout();
    state.lastDictionarySelection = -1;
    state.openDictionary = -1;

    SetDlgWindowPos(dialog, nullptr, FALSE);
    AppendSystemMenu(dialog);
    if (program.settings.UseGreek) {
        LoadGreekItems(dialog, IDC_CAPTION_WORD, IDC_KEYBOARDS_GROUP, program.textsFile);
    }

    WinLookupFields fields = DialogFields(dialog);
    LoadSettings(program.settings, ProcessSettingsStorage(), &fields);
    state.currentScript = QueryScript::kFromBytes;
    state.currentLetter = program.settings.Key;
    // A letter's one-byte word is too short to be restored as the word to search, so a window
    // that closed on a letter's block opens on another word: that button then stands for
    // nothing the lists show.
    const unsigned char letter = LetterForButton(state.currentLetter, program.settings.GrEng);
    if (letter == 0 || static_cast<unsigned char>(state.currentWord[0]) != letter ||
        state.currentWord[1] != '\0') {
        state.currentLetter = kNoIndexButton;
        program.settings.Key = kNoIndexButton;
    }
    // The history entry selected at load only begins with the saved word.
    ShowCurrentWord(dialog);

    // Each run starts from an empty list, so the catalogue is built again.
    ResetCatalogue(program.catalogue);
    snprintf(program.catalogue.programDir, sizeof program.catalogue.programDir, "%s",
             program.programDir);
    UserDictFolderForProgram(program.catalogue.userDictDir, sizeof program.catalogue.userDictDir,
                             program.programDir);
    if (!OpenDictionary(dialog)) {
        SendMessageW(dialog, MSG_END_PROGRAM, 0, 0);
        return FALSE;
    }
    InitLookupStatus(dialog);
    NameControls(dialog);

    SearchLookupWord(dialog);
    UpdateClipboardButtons(dialog, IsSmallForm());
    // Paste follows what other programs put on the clipboard.
    AddClipboardFormatListener(dialog);
    if (program.settings.StayOnTop) {
        SetTopmost(dialog, true);
    }
    program.lookupWindow = dialog;
    InstallKeyboardHooks(dialog);
    if (program.settings.TaskBarIcon) {
        AddProgramTrayIcon(dialog);
    }

    char word[kMaxWordBoxChars + 1];
    ReadWordBox(dialog, word);
    TrimTrailingSpaces(word);
    TrimLeadingSpaces(word);
    state.wordFont.greek = program.greekFont;
    state.wordFont.latin = program.latinFont;
    SetWordBoxFont(dialog, state.wordFont, IsGreekText(word), false);

    if (IsSmallForm()) {
        LayoutSmallForm(dialog, true, program.settings);
    } else {
        program.settings.SRL = program.settings.SRT = 0;
        program.settings.SRR = program.settings.SRB = 0;
    }
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(program.appIcon));
    PostMessageW(program.mainWindow, MSG_SHOW_MAIN_WINDOW, 0, 0);
    PostMessageW(dialog, MSG_REFRESH_LETTERS, 0, 0);
    if (program.tipsAtStart) {
        PostMessageW(dialog, WM_COMMAND, CMD_TIP_OF_THE_DAY, 0);
    }
    return TRUE;
}

// The index button drawn pressed stands for the block the lists show: a search for a word from
// anywhere else lets it go, so that it is neither shown pressed beside another word's matches
// nor saved as such for the next start.
void ReleaseLetterButton(HWND dialog) {
    LookupDialogData& state = State(dialog);
    if (HWND previous = GetDlgItem(dialog, state.currentLetter)) {
        InvalidateRect(previous, nullptr, FALSE);
    }
    state.currentLetter = kNoIndexButton;
    CurrentSettings().Key = kNoIndexButton;
}

void OnEnter(HWND dialog) {
    LookupDialogData& state = State(dialog);
    ReadWordBox(dialog, state.currentWord, &state.currentScript);
    const bool searched = strcmp(state.currentWord, Program().engine.lastSearched) == 0;
    if (searched && !state.typedWordUnrecorded) {
        return;
    }
    state.typedWordUnrecorded = false;
    HWND box = GetDlgItem(dialog, IDC_WORD_BOX);
    wchar_t typed[kMaxWordBoxChars + 1] = {};
    GetWindowTextW(box, typed, kMaxWordBoxChars + 1);
    LowerText(state.currentWord);
    AddLookupHistory(dialog, state.currentWord);
    // The history entry the box now shows is the 8-bit form; where that is more than a change
    // of case ("ö" stored reads back as "φ", "ł" as its stand-in "l"), the user's own text stays.
    wchar_t shown[kMaxWordBoxChars + 1] = {};
    GetWindowTextW(box, shown, kMaxWordBoxChars + 1);
    if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, shown, -1, typed, -1) != CSTR_EQUAL) {
        SetWindowTextW(box, typed);
    }
    if (searched) {
        return;  // the lists already show it
    }
    ReleaseLetterButton(dialog);
    SearchLookupWord(dialog);
    UpdateClipboardButtons(dialog, IsSmallForm());
}

// Search as you type: the word box's word, once typing pauses. It goes through the same steps as
// Enter except the history, which would otherwise fill with every beginning of a word; and it
// never writes the word box, so nothing the user types meanwhile is lost or moved. Keys pressed
// while the lists fill wait in the queue and restart the pause.
void OnTypingPause(HWND dialog) {
    KillTimer(dialog, TIMER_SEARCH_AS_YOU_TYPE);
    LookupDialogData& state = State(dialog);
    ReadWordBox(dialog, state.currentWord, &state.currentScript);
    if (strcmp(state.currentWord, Program().engine.lastSearched) == 0) {
        return;
    }
    LowerText(state.currentWord);
    state.typedWordUnrecorded = true;
    ReleaseLetterButton(dialog);
    SearchLookupWord(dialog, true);
    UpdateClipboardButtons(dialog, IsSmallForm());
}

void OnLetterButton(HWND dialog, int id) {
    LookupDialogData& state = State(dialog);
    if (HWND previous = GetDlgItem(dialog, state.currentLetter)) {
        InvalidateRect(previous, nullptr, FALSE);
    }
    state.currentLetter = id;
    CurrentSettings().Key = id;
    InvalidateRect(GetDlgItem(dialog, id), nullptr, FALSE);
    unsigned char letter = LetterForButton(id, CurrentKeyboard.mode);
    state.currentWord[0] = static_cast<char>(letter);
    state.currentWord[1] = '\0';
    state.currentScript = QueryScript::kFromBytes;
    SearchIfNew(dialog);
}

// The word list's context menu: "Phrases with this word" lists the phrases that hold the word
// under the mouse (or, from the keyboard, the selected one) in place of the list; greyed when
// there are none. `at` is the menu's screen point, (-1, -1) from the keyboard.
void ShowWordListMenu(HWND dialog, POINT at) {
    HWND list = GetDlgItem(dialog, IDC_WORD_LIST);
    int item = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    if (at.x == -1 && at.y == -1) {
        RECT rect;
        GetWindowRect(list, &rect);
        at = {rect.left + 20, rect.top + 20};
    } else {
        POINT client = at;
        ScreenToClient(list, &client);
        LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        if (HIWORD(hit) == 0) {
            item = LOWORD(hit);
        }
    }
    if (item < 0) {
        return;
    }
    char word[kMaxItemSize + 1];
    GetStoredItemText(list, false, item, word, sizeof word);
    bool any = Program().engine.guesser &&
               !Program().engine.guesser->PhrasesWith(Program().engine, nullptr, word).empty();
    char label[150];
    LoadInterfaceTextFor(IDM_PHRASES_WITH, label, sizeof label);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (any ? MF_ENABLED : MF_GRAYED), IDM_PHRASES_WITH,
                StoredToWide(label).c_str());
    int chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog, nullptr);
    DestroyMenu(menu);
    if (chosen == IDM_PHRASES_WITH) {
        WinLookupView view(dialog);
        ListPhrasesWith(Program().engine, view, LookupSearchOptions(dialog), word);
        UpdateClipboardButtons(dialog, IsSmallForm());
    }
}

void OnTranslationDoubleClick(HWND dialog) {
    PlayResourceSound(Program().instance, IDR_CLICK_SOUND, CurrentSettings().UseSounds != 0);
    WinListBox translations(GetDlgItem(dialog, IDC_TRANSLATION_LIST));
    int selection = translations.Selection();
    if (selection < 0) {
        return;
    }
    LookupDialogData& state = State(dialog);
    translations.Text(selection, state.currentWord, kCurrentWordSize);
    state.currentScript = QueryScript::kFromBytes;
    if (strcmp(state.currentWord, Program().engine.lastSearched) == 0) {
        return;
    }
    AddLookupHistory(dialog, state.currentWord);
    ReleaseLetterButton(dialog);
    SearchLookupWord(dialog);
    UpdateClipboardButtons(dialog, IsSmallForm());
    FollowWordFont(dialog, state.wordFont, state.currentWord);
}

void OnHistoryChoice(HWND dialog) {
    WinLookupFields fields = DialogFields(dialog);
    int selection = static_cast<int>(SendDlgItemMessageW(dialog, IDC_WORD_BOX, CB_GETCURSEL, 0, 0));
    if (selection < 0) {
        return;
    }
    LookupDialogData& state = State(dialog);
    fields.HistoryText(selection, state.currentWord, kCurrentWordSize);
    state.currentScript = QueryScript::kFromBytes;
    if (strcmp(state.currentWord, Program().engine.lastSearched) == 0) {
        return;
    }
    ReleaseLetterButton(dialog);
    SearchLookupWord(dialog);
    UpdateClipboardButtons(dialog, IsSmallForm());
    FollowWordFont(dialog, state.wordFont, state.currentWord);
}

void OnDictionaryChange(HWND dialog) {
    LookupDialogData& state = State(dialog);
    int selection =
        static_cast<int>(SendDlgItemMessageW(dialog, IDC_DICTIONARY_LIST, CB_GETCURSEL, 0, 0));
    if (selection == state.lastDictionarySelection) {
        return;
    }
    if (!OpenDictionary(dialog)) {
        SendMessageW(dialog, MSG_END_PROGRAM, 0, 0);
        return;
    }
    state.lastDictionarySelection = state.openDictionary;
    ReadWordBox(dialog, state.currentWord, &state.currentScript);
    if (!SearchLookupWord(dialog)) {
        snprintf(state.currentWord, kCurrentWordSize, "%s", Program().engine.trailer.startWord);
        state.currentScript = QueryScript::kFromBytes;
        SearchLookupWord(dialog);
        // Enter afterwards looks up what the box shows: the start word the lists hold now,
        // not the word this dictionary does not have.
        ShowCurrentWord(dialog);
        FollowWordFont(dialog, state.wordFont, state.currentWord);
    }
}

void SwitchForms(HWND dialog) {
    SaveLookupSettings(dialog);
    Settings& settings = CurrentSettings();
    settings.DialogState = settings.DialogState == 1 ? 0 : 1;
    char text[8];
    snprintf(text, sizeof text, "%d", settings.DialogState);
    WriteSettingString(*ProcessSettingsStorage().registry, kStateKey, "DialogState", text);
    EndLookupDialog(dialog, 1);
}

// The word fonts in the size the settings ask for. The lists keep their items and selection
// (their item height does not follow the word fonts) and are only drawn again.
void ApplyWordFontSize(HWND dialog) {
    ProgramState& program = Program();
    const int points = program.settings.UseLargeFont ? kLargeWordPoints : kWordPoints;
    HFONT greek = CreateFontByName(dialog, nullptr, "Arial", points, kAnyFontType, GREEK_CHARSET);
    HFONT latin = CreateFontByName(dialog, nullptr, "Arial", points, kAnyFontType, DEFAULT_CHARSET);
    if (greek == nullptr || latin == nullptr) {
        DeleteObject(greek);
        DeleteObject(latin);
        return;
    }
    DeleteObject(program.greekFont);
    DeleteObject(program.latinFont);
    program.greekFont = greek;
    program.latinFont = latin;
    LookupDialogData& state = State(dialog);
    state.wordFont.greek = greek;
    state.wordFont.latin = latin;
    SetWordBoxFont(dialog, state.wordFont, state.wordFont.isGreek, true);
    for (int id : {IDC_WORD_LIST, IDC_TRANSLATION_LIST}) {
        InvalidateRect(GetDlgItem(dialog, id), nullptr, TRUE);
    }
}

// The program adjustments; true when the lookup window must open again (another form or
// interface language).
bool RunAdjustments(HWND dialog) {
    ProgramState& program = Program();
    AdjustmentChanges changes;
    if (!ShowAdjustmentsDialog(dialog, LookupHelp(), program.settings, &changes)) {
        return false;
    }
    SaveLookupSettings(dialog);
    if (changes.reopenLookupWindow) {
        return true;
    }
    // The icon and the task-bar button change places at once, so that the window always has
    // one of them: the main window reads the saved setting.
    if (changes.taskBarIcon) {
        if (program.settings.TaskBarIcon) {
            SendMessageW(program.mainWindow, MSG_SHOW_MAIN_WINDOW, 0, 0);
            AddProgramTrayIcon(dialog);
        } else {
            RemoveProgramTrayIcon(dialog);
            SendMessageW(program.mainWindow, MSG_SHOW_MAIN_WINDOW, 0, 0);
        }
    }
    if (changes.fontSize) {
        ApplyWordFontSize(dialog);
    }
    return false;
}

void RunAbout(HWND dialog) {
    ProgramState& program = Program();
    DictionaryTrailer about = program.engine.trailer;
    TakeStoredAboutLines(program.engine.mainBody, &about);
    // A pair credits the data of both its dictionaries.
    DictionaryTrailer second = program.engine.secondTrailer;
    TakeStoredAboutLines(program.engine.secondBody, &second);
    ShowAboutDialog(dialog, program.instance, program.textsFile, program.settings.UseGreek != 0,
                    about, program.engine.pairMode ? &second : nullptr, program.smallGreekFont);
}

// The user dictionary maintenance. The dialog writes the file the lookup reads: the lookup's
// handle is closed around it (an emptied file can then go) and opened afresh, and the current
// word is searched again so that what was added, replaced or deleted shows at once.
void RunUserDictionary(HWND dialog) {
    ProgramState& program = Program();
    CloseUserDictionary(program.engine);
    WinUserDictionaryHost host(ProgramLanguage(program));
    UserDictionaryDialogArgs args;
    args.instance = program.instance;
    args.path = program.catalogue.userDictPath;
    args.keyboard = &CurrentKeyboard;
    args.greekFont = program.greekFont;
    args.latinFont = program.latinFont;
    args.greekTexts = program.settings.UseGreek != 0;
    args.textsFile = program.textsFile;
    args.help = LookupHelp();
    args.host = &host;
    ShowUserDictionaryDialog(dialog, args);
    SetKeyboardCommandTarget(dialog);
    ReopenUserDictionary(program.engine, program.catalogue);
    if (program.settings.UseUserDict) {
        program.engine.lastSearched[0] = '\0';
        SearchLookupWord(dialog);
    }
}

void RunTipOfTheDay(HWND dialog, bool showAtStart) {
    ProgramState& program = Program();
    TipSource source;
    source.instance = program.instance;
    source.textsFile = program.textsFile;
    source.settingsIni = ProcessSettingsStorage().history;
    source.useGreek = program.settings.UseGreek != 0;
    source.tipCount = program.tipCount;
    source.todayTip = program.todayTip;
    bool show = showAtStart;
    program.currentTip = ShowTipOfTheDayDialog(dialog, source, &show);
}

// The secondary dialogs: each is one ShowXxxDialog(owner, ...) call of its own file, run with
// the hot key given back (its keys then reach the secondary dialog) and taken again after it.
enum class SecondaryDialog {
    kAdjustments,     // system menu 101 "Parameters ..."
    kAbout,           // system menu 102 "About ..."
    kTipOfTheDay,     // system menu 106, command 9874
    kUserDictionary,  // system menu 105, command 771 / F5
};

void RunSecondaryDialog(HWND dialog, SecondaryDialog which, bool showTipsAtStart = true) {
    ProgramState& program = Program();
    GiveBackHotKey(program);
    bool reopen = false;
    switch (which) {
        case SecondaryDialog::kAdjustments:
            reopen = RunAdjustments(dialog);
            break;
        case SecondaryDialog::kAbout:
            RunAbout(dialog);
            break;
        case SecondaryDialog::kTipOfTheDay:
            RunTipOfTheDay(dialog, showTipsAtStart);
            break;
        case SecondaryDialog::kUserDictionary:
            RunUserDictionary(dialog);
            break;
    }
    TakeHotKey(program, dialog);
    if (reopen) {
        EndLookupDialog(dialog, 1);
    }
}

void OnTipOfTheDay(HWND dialog) {
    ProgramState& program = Program();
    WinProfileFile texts(program.textsFile);
    const bool showAtStart = ReadShowTips(texts, ProcessSettingsStorage().history);
    if (program.tipsAtStart) {
        program.tipsAtStart = false;
        if (!showAtStart) {
            return;
        }
    }
    RunSecondaryDialog(dialog, SecondaryDialog::kTipOfTheDay, showAtStart);
}

void OnEndProgram(HWND dialog) {
    SaveLookupSettings(dialog);
    EndLookupDialog(dialog, 2);
}

// A message of the copy or paste keystrokes: on the search status line of the full form, else on
// the hint line, the one status line every form has.
void ShowStatusText(HWND dialog, unsigned id) {
    char text[kStatusTextSize];
    LoadInterfaceTextFor(id, text, sizeof text);
    HWND line = GetDlgItem(dialog, IDC_STATUS_LINE);
    SetStoredWindowText(line ? line : GetDlgItem(dialog, IDC_HINT_LINE), text);
}

void LookUpClipboardWord(HWND dialog);

// The end of the hot key's copy keystrokes: the dialog comes forward and looks up what was
// copied. When nothing new came, the old clipboard text is not the user's question: the word box
// is made ready for typing instead.
void OnLookupAfterPlayback(HWND dialog, unsigned outcome) {
    ProgramState& program = Program();
    if (!IsWindowVisible(dialog)) {
        ShowWindow(dialog, SW_SHOW);
    } else {
        SetForegroundWindow(dialog);
    }
    State(dialog).trayClickSource = nullptr;
    program.pasteTarget = program.captureSourceWindow;
    program.pasteTargetNeedsCtrlV = outcome == kPlaybackAnsweredLetter;
    if (outcome == kPlaybackUnanswered) {
        HWND box = GetDlgItem(dialog, IDC_WORD_BOX);
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
        SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        ShowStatusText(dialog, IDS_NOTHING_SELECTED);
    } else {
        LookUpClipboardWord(dialog);
    }
    program.heldClipboard.GiveBack(dialog);
}

// The translation Ctrl+Enter pastes: from the word list its first translation, else the selected
// one (the first when none is). False when the list is empty.
bool TranslationToPaste(HWND dialog, char* text, size_t size) {
    WinListBox translations(GetDlgItem(dialog, IDC_TRANSLATION_LIST));
    if (translations.Count() <= 0) {
        return false;
    }
    int selection = translations.Selection();
    if (GetFocus() == GetDlgItem(dialog, IDC_WORD_LIST) || selection < 0) {
        selection = 0;
    }
    translations.Text(selection, text, size);
    TrimTrailingSpaces(text);
    return text[0] != '\0';
}

// Ctrl+Enter: the translation replaces the selection of the program the hot key came from. The
// clipboard carries it there, rendered only when that program asks, which tells the keystrokes
// that the paste arrived; what the clipboard held before is given back afterwards.
void OnPasteBack(HWND dialog) {
    ProgramState& program = Program();
    if (CopyPlaybackRunning()) {
        return;
    }
    if (!program.pasteTarget) {
        ShowStatusText(dialog, IDS_PASTE_NO_SOURCE);
        return;
    }
    if (!IsWindow(program.pasteTarget)) {
        program.pasteTarget = nullptr;
        ShowStatusText(dialog, IDS_PASTE_SOURCE_GONE);
        return;
    }
    char text[kTranslationTextSize] = {};
    if (!TranslationToPaste(dialog, text, sizeof text)) {
        ShowStatusText(dialog, IDS_PASTE_NO_TRANSLATION);
        return;
    }
    if (program.settings.GiveBackClipboard) {
        program.heldClipboard.Take(dialog);
    }
    program.pasteText = text;
    if (!OfferTextLate(dialog)) {
        program.heldClipboard.Discard();
        return;
    }
    if (IsIconic(program.pasteTarget)) {
        ShowWindow(program.pasteTarget, SW_RESTORE);
    }
    StartPastePlayback(program.pasteTarget, dialog, program.pasteTargetNeedsCtrlV);
}

void OnPasteDone(HWND dialog, unsigned outcome) {
    ProgramState& program = Program();
    if (outcome == kPlaybackUnanswered) {
        ShowStatusText(dialog, IDS_PASTE_UNANSWERED);
    } else if (outcome == kPlaybackAnsweredLetter) {
        program.pasteTargetNeedsCtrlV = true;
    }
    program.heldClipboard.GiveBack(dialog);
}

// The dialog lets go of the clipboard (it closes) while the paste's text is still announced:
// render it, so the clipboard keeps it.
void OnRenderAllFormats(HWND dialog) {
    if (!OpenClipboard(dialog)) {
        return;
    }
    if (GetClipboardOwner() == dialog) {
        RenderStoredText(CF_UNICODETEXT, Program().pasteText.c_str());
        RenderStoredText(CF_TEXT, Program().pasteText.c_str());
    }
    CloseClipboard();
}

// Looks up the first word of the clipboard text.
void LookUpClipboardWord(HWND dialog) {
    LookupDialogData& state = State(dialog);
    if (!ReadClipboardWord(dialog, state.currentWord)) {
        return;
    }
    state.currentScript = QueryScript::kFromBytes;
    if (strcmp(state.currentWord, Program().engine.lastSearched) != 0) {
        AddLookupHistory(dialog, state.currentWord);
        ReleaseLetterButton(dialog);
        SearchLookupWord(dialog);
        UpdateClipboardButtons(dialog, IsSmallForm());
        FollowWordFont(dialog, state.wordFont, state.currentWord);
    }
}

void OnCommand(HWND dialog, int id, int notification) {
    if (id >= IDC_LETTER_FIRST && id <= IDC_LETTER_LAST) {
        OnLetterButton(dialog, id);
        return;
    }
    switch (id) {
        case IDOK:
        case IDC_SEARCH:
            OnEnter(dialog);
            break;
        case IDCANCEL:
            SaveLookupSettings(dialog);
            ShowWindow(dialog, SW_HIDE);
            break;
        case IDC_COPY:
        case IDC_SMALL_COPY:
        case CMD_COPY_TRANSLATION:
            CopyTranslation(dialog, IsSmallForm());
            break;
        case IDC_CLIPBOARD:
        case IDC_SMALL_CLIPBOARD:
        case CMD_LOOKUP_CLIPBOARD:
            LookUpClipboardWord(dialog);
            break;
        case CMD_LOOKUP_AFTER_PLAYBACK:
            OnLookupAfterPlayback(dialog, static_cast<unsigned>(notification));
            break;
        case CMD_PASTE_BACK:
            OnPasteBack(dialog);
            break;
        case CMD_PASTE_DONE:
            OnPasteDone(dialog, static_cast<unsigned>(notification));
            break;
        case CMD_NEXT_KEYBOARD: {
            WinKeyboardDialog keyboardDialog(dialog);
            NextKeyboard(CurrentKeyboard, keyboardDialog);
            break;
        }
        case CMD_USER_DICTIONARY:
            RunSecondaryDialog(dialog, SecondaryDialog::kUserDictionary);
            break;
        case CMD_TIP_OF_THE_DAY:
            OnTipOfTheDay(dialog);
            break;
        case IDC_WORD_LIST:
            if (notification == LBN_SELCHANGE) {
                WinLookupView view(dialog);
                ShowSelectedTranslations(Program().engine, view, LookupSearchOptions(dialog));
            }
            break;
        case IDC_TRANSLATION_LIST:
            if (notification == LBN_SELCHANGE && CurrentSettings().UseClipboard) {
                PostMessageW(dialog, WM_COMMAND, IDC_COPY, 0);
            } else if (notification == LBN_DBLCLK) {
                OnTranslationDoubleClick(dialog);
            }
            break;
        case IDC_WORD_BOX:
            if (notification == CBN_SELCHANGE) {
                OnHistoryChoice(dialog);
            } else if (notification == CBN_EDITCHANGE || notification == CBN_EDITUPDATE) {
                PostMessageW(dialog, MSG_FOLLOW_WORD_FONT, 0, 0);
                // Every change starts the pause again.
                if (notification == CBN_EDITCHANGE && CurrentSettings().SearchAsYouType) {
                    SetTimer(dialog, TIMER_SEARCH_AS_YOU_TYPE, kSearchAsYouTypeDelayMs, nullptr);
                }
            }
            break;
        case IDC_DICTIONARY_LIST:
            if (notification == CBN_SELCHANGE) {
                OnDictionaryChange(dialog);
            }
            break;
        case IDC_KEYBOARD_SYSTEM:
        case IDC_KEYBOARD_LANG1:
        case IDC_KEYBOARD_LANG2: {
            WinKeyboardDialog keyboardDialog(dialog);
            SelectKeyboard(CurrentKeyboard, keyboardDialog, id);
            break;
        }
    }
}

INT_PTR OnSysCommand(HWND dialog, WPARAM command) {
    Settings& settings = CurrentSettings();
    HMENU menu = GetSystemMenu(dialog, FALSE);
    switch (command) {
        case IDM_SYS_ADJUSTMENTS:
            RunSecondaryDialog(dialog, SecondaryDialog::kAdjustments);
            return TRUE;
        case IDM_SYS_ABOUT:
            RunSecondaryDialog(dialog, SecondaryDialog::kAbout);
            return TRUE;
        case IDM_SYS_ALWAYS_ON_TOP:
            settings.StayOnTop = settings.StayOnTop ? 0 : 1;
            CheckMenuItem(menu, IDM_SYS_ALWAYS_ON_TOP,
                          MF_BYCOMMAND | (settings.StayOnTop ? MF_CHECKED : MF_UNCHECKED));
            SetTopmost(dialog, settings.StayOnTop != 0);
            return TRUE;
        case IDM_SYS_BALLOONS:
            settings.Balloons = settings.Balloons ? 0 : 1;
            CheckMenuItem(menu, IDM_SYS_BALLOONS,
                          MF_BYCOMMAND | (settings.Balloons ? MF_CHECKED : MF_UNCHECKED));
            return TRUE;
        case IDM_SYS_USER_DICTIONARY:
            PostMessageW(dialog, WM_COMMAND, CMD_USER_DICTIONARY, 0);
            return TRUE;
        case IDM_SYS_TIP_OF_THE_DAY:
            PostMessageW(dialog, WM_COMMAND, CMD_TIP_OF_THE_DAY, 0);
            return TRUE;
        case IDM_SYS_EXIT:
            PostMessageW(dialog, MSG_END_PROGRAM, 0, 0);
            return TRUE;
    }
    // The system keeps the low four bits of a system command for itself.
    if ((command & 0xFFF0) == SC_MINIMIZE) {
        SaveLookupSettings(dialog);
        ShowWindow(dialog, SW_HIDE);
        return TRUE;
    }
    return FALSE;
}

// The owner-drawn controls in the look of the program's fonts, language, form and keyboard; a
// button that goes down clicks.
void DrawItem(HWND dialog, const DRAWITEMSTRUCT* item) {
    const ProgramState& program = Program();
    ItemLook look;
    look.instance = program.instance;
    look.greekFont = program.greekFont;
    look.latinFont = program.latinFont;
    look.smallGreekFont = program.smallGreekFont;
    look.greekCaptions = program.settings.UseGreek != 0;
    look.letterButtons = IsFullForm();
    look.currentLetter = State(dialog).currentLetter;
    look.keyboardMode = CurrentKeyboard.mainDialogMode;
    bool clicked = false;
    DrawLookupItem(dialog, item, look, &clicked);
    if (clicked) {
        PlayResourceSound(program.instance, IDR_CLICK_SOUND, program.settings.UseSounds != 0);
    }
}

INT_PTR CALLBACK LookupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // Owner-drawn lists are measured before WM_INITDIALOG; nothing else is handled before it.
    if (message == WM_MEASUREITEM) {
        return MeasureLookupItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    }
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        return OnInitDialog(dialog);
    }
    if (GetWindowLongPtrW(dialog, GWLP_USERDATA) == 0) {
        return FALSE;
    }
    if (message == TaskbarCreatedMessage()) {
        // The shell started again without the icon.
        if (CurrentSettings().TaskBarIcon) {
            AddProgramTrayIcon(dialog);
        }
        return FALSE;
    }
    if (message == WM_TIMER && wParam == TIMER_SEARCH_AS_YOU_TYPE) {
        OnTypingPause(dialog);
        return TRUE;
    }
    switch (message) {
        case WM_SETCURSOR:
        case WM_TIMER: {
            INT_PTR result = FALSE;
            if (!HandleHelpMessage(LookupHelp(), dialog, message, wParam, IDS_HELP_BASE,
                                   &State(dialog).balloonShown, &result)) {
                KillTimer(dialog, wParam);
            }
            return result;
        }
        case WM_DRAWITEM:
            DrawItem(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DELETEITEM:
            // One for each item of an owner-drawn list a search empties, thousands at a time:
            // nothing to free, and no user action that should touch a balloon.
            return TRUE;
    }

    CancelPendingBalloon(dialog);
    switch (message) {
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            if (LOWORD(wParam) == CMD_SWITCH_FORM) {
                SwitchForms(dialog);
                return TRUE;
            }
            return ExitMessage(dialog);
        case WM_SYSCOMMAND:
            KillBalloonTimers(dialog);
            return OnSysCommand(dialog, wParam);
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) {
                ShowWindow(dialog, SW_HIDE);
                return ExitMessage(dialog);
            }
            if (IsSmallForm()) {
                LayoutSmallForm(dialog, false, CurrentSettings());
            }
            return FALSE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                RemoveKeyboardHooks();
            } else {
                InstallKeyboardHooks(dialog);
                UpdateClipboardButtons(dialog, IsSmallForm());
                // The shell tool may have written the user dictionary meanwhile.
                ReopenUserDictionary(Program().engine, Program().catalogue);
            }
            return ExitMessage(dialog);
        case WM_CLIPBOARDUPDATE:
            UpdateClipboardButtons(dialog, IsSmallForm());
            // The copy keystrokes wait for this: no need to wait for their next tick.
            NudgeCopyPlayback();
            return TRUE;
        case WM_RENDERFORMAT:
            RenderStoredText(static_cast<UINT>(wParam), Program().pasteText.c_str());
            MarkPasteTaken();
            return TRUE;
        case WM_RENDERALLFORMATS:
            OnRenderAllFormats(dialog);
            return TRUE;
        case MSG_TRAY_CALLBACK:
            OnTrayCallback(dialog, lParam);
            return TRUE;
        case WM_CLOSE:
            // With the notification icon the close box only hides: the default handling turns
            // the close into Cancel.
            if (CurrentSettings().TaskBarIcon) {
                return FALSE;
            }
            OnEndProgram(dialog);
            return FALSE;
        case MSG_END_PROGRAM:
            OnEndProgram(dialog);
            return FALSE;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == GetDlgItem(dialog, IDC_WORD_LIST)) {
                ShowWordListMenu(dialog, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                return TRUE;
            }
            return ExitMessage(dialog);
        case WM_MOUSEMOVE:
            return TRUE;
        case WM_PARENTNOTIFY:
            KillBalloonTimers(dialog);
            return TRUE;
        case WM_HELP:
            // The balloon delay timer was stopped above, before the viewer takes the front.
            OpenProgramHelp(dialog, Program().programDir);
            return ExitMessage(dialog);
        case MSG_FOLLOW_WORD_FONT:
            ApplyWordFontRule(dialog, State(dialog).wordFont, CurrentKeyboard.mode);
            return TRUE;
        case MSG_REFRESH_LETTERS:
            if (IsFullForm()) {
                RefreshLetterButtons(dialog);
            }
            return TRUE;
    }
    return ExitMessage(dialog);
}

bool SearchLookupWord(HWND dialog, bool keepCursor) {
    WinLookupView view(dialog, keepCursor);
    return SearchWord(Program().engine, view, LookupSearchOptions(dialog),
                      State(dialog).currentWord);
}

void AddLookupHistory(HWND dialog, const char* word) {
    WinLookupFields fields = DialogFields(dialog);
    AddHistoryWord(fields, word);
}

void RefreshLetterButtons(HWND dialog) {
    LetterButtonsLook look = LetterButtonsFor(CurrentKeyboard.mainDialogMode);
    if (look == LetterButtonsLook::kUnchanged) {
        return;
    }
    bool latin = look == LetterButtonsLook::kLatin;
    for (int id : {IDC_LETTER_NO_GREEK_A, IDC_LETTER_NO_GREEK_B}) {
        ShowWindow(GetDlgItem(dialog, id), latin ? SW_SHOW : SW_HIDE);
    }
    for (int id = IDC_LETTER_FIRST; id <= IDC_LETTER_LAST; ++id) {
        if (latin || (id != IDC_LETTER_NO_GREEK_A && id != IDC_LETTER_NO_GREEK_B)) {
            InvalidateRect(GetDlgItem(dialog, id), nullptr, FALSE);
        }
    }
    NameLetterButtons(dialog);
}

std::wstring InterfaceName(unsigned id) {
    char text[kStatusTextSize];
    LoadInterfaceTextFor(id, text, sizeof text);
    return StoredToWide(text);
}

// The names a screen reader reads for the controls that show pictures or owner-drawn items, in
// the interface language.
void NameControls(HWND dialog) {
    const struct {
        int id;
        unsigned name;
    } buttons[] = {{IDC_SEARCH, IDS_NAME_SEARCH},
                   {IDC_COPY, IDS_NAME_COPY},
                   {IDC_SMALL_COPY, IDS_NAME_COPY},
                   {IDC_CLIPBOARD, IDS_NAME_PASTE},
                   {IDC_SMALL_CLIPBOARD, IDS_NAME_PASTE}},
      lists[] = {{IDC_WORD_BOX, IDS_NAME_WORD_BOX},
                 {IDC_WORD_LIST, IDS_NAME_WORD_LIST},
                 {IDC_TRANSLATION_LIST, IDS_NAME_TRANSLATION_LIST},
                 {IDC_DICTIONARY_LIST, IDS_NAME_DICTIONARY_LIST}};
    for (const auto& button : buttons) {
        if (HWND control = GetDlgItem(dialog, button.id)) {
            SetButtonName(control, InterfaceName(button.name));
        }
    }
    for (const auto& list : lists) {
        SetAccessibleName(GetDlgItem(dialog, list.id), InterfaceName(list.name));
    }
    NameLetterButtons(dialog);
}

// "Letter A": each index button by the capital of the letter it shows, Greek with the Greek
// keyboard; a button that looks nothing up keeps the Latin letter of its place.
void NameLetterButtons(HWND dialog) {
    if (!IsFullForm()) {
        return;
    }
    const std::wstring label = InterfaceName(IDS_NAME_LETTER);
    for (int id = IDC_LETTER_FIRST; id <= IDC_LETTER_LAST; ++id) {
        const char letter[2] = {
            static_cast<char>(LetterForButton(id, CurrentKeyboard.mainDialogMode)), '\0'};
        std::wstring shown =
            letter[0] ? StoredToWide(letter)
                      : std::wstring(1, static_cast<wchar_t>(L'a' + (id - IDC_LETTER_FIRST)));
        CharUpperBuffW(&shown[0], static_cast<DWORD>(shown.size()));
        SetButtonName(GetDlgItem(dialog, id), label + L" " + shown);
    }
}

void InitLookupStatus(HWND dialog) {
    char text[kStatusTextSize];
    LoadInterfaceTextFor(IDS_HELP_BASE, text, sizeof text);
    SetStoredWindowText(GetDlgItem(dialog, IDC_HINT_LINE), text);
    if (IsFullForm()) {
        LoadInterfaceTextFor(IDS_STATUS_CLEAR, text, sizeof text);
        SetStoredWindowText(GetDlgItem(dialog, IDC_STATUS_LINE), text);
        SetDlgItemTextW(dialog, IDC_MATCH_COUNT, L"0");
    }
    for (int id : {IDC_KEYBOARD_SYSTEM, IDC_KEYBOARD_LANG1, IDC_KEYBOARD_LANG2}) {
        CheckDlgButton(dialog, id, BST_UNCHECKED);
    }
    int32_t stored = ReadSettingNumber(*ProcessSettingsStorage().registry, kStateKey, "GrEng");
    unsigned char mode = static_cast<unsigned char>(stored);
    if (mode > 8) {
        mode = 8;
    }
    WinKeyboardDialog keyboardDialog(dialog);
    RestoreKeyboardMode(CurrentKeyboard, keyboardDialog, mode);
}

}  // namespace

INT_PTR ShowLookupDialog(HWND owner, int templateId) {
    LookupDialogData data;
    return DialogBoxParamW(Program().instance, MAKEINTRESOURCEW(templateId), owner,
                           LookupDialogProc, reinterpret_cast<LPARAM>(&data));
}

void CloseLookupDictionaries(ProgramState& program) {
    OpenSelectedDictionary(program.engine, program.catalogue, nullptr);
}
