// The lookup window: the modal dialog in which the user types or picks a word, chooses a
// dictionary and sees the matching headwords and their translations. One dialog procedure
// serves the three forms (templates 10000, 10003 and 10004).
#pragma once

#include <windows.h>

#include <cstddef>

#include "engine/search.h"

// The word box text the dialog reads: at most 39 characters.
constexpr size_t kMaxWordBoxChars = 39;
// The current word holds 79 characters (a double-clicked translation can be that long; the
// search itself takes the first 39).
constexpr size_t kCurrentWordSize = 80;

// What the lookup dialog keeps between messages. One dialog exists at a time.
struct LookupDialogState {
    char currentWord[kCurrentWordSize] = {};
    QueryScript currentScript = QueryScript::kFromBytes;  // of currentWord, when it was typed
    int currentLetter = 0;             // the index button drawn pressed (the Key setting)
    int lastDictionarySelection = -1;  // index of list 12011 at the last dictionary change
    int openDictionary = -1;           // index of list 12011 of the dictionary open now
    bool tipsAtStart = true;           // cleared the first time the tip of the day is asked for
    bool balloonShown = false;
    unsigned hintShown = 0;  // string id on the hint line

    HWND trayClickSource = nullptr;
    bool wordFontIsGreek = false;      // word box 12003 has the Greek word font
    unsigned char ignoreNextEdit = 0;  // 1 after the program gave the box a font itself
};

LookupDialogState& LookupDialog();

// Runs the lookup dialog from templateId, owned by owner. 1: open it again, 2: end the program.
INT_PTR RunLookupDialog(HINSTANCE instance, HWND owner, int templateId);

// Closes every open dictionary file (at program end).
void CloseLookupDictionaries();

// Searches the current word with the settings in force and shows the result in the dialog.
bool SearchLookupWord(HWND dialog);
// Puts word at the top of the word box's history.
void AddLookupHistory(HWND dialog, const char* word);

// Shows, hides and redraws the index buttons for the lookup dialog's keyboard.
void RefreshLetterButtons(HWND dialog);
// The hint line, the status line and count of the full form, and the keyboard radio buttons
// for the saved keyboard mode.
void InitLookupStatus(HWND dialog);
