// The lookup window's exchange with the clipboard: copy the selected translation out, take the
// word to look up from the clipboard text, and keep the Copy and Paste buttons in step.
#pragma once

#include <windows.h>

// Enables the copy button when a translation is selected and the clipboard button when the
// clipboard holds text (the small form's buttons 143 and 144, else 138 and 139).
void UpdateClipboardButtons(HWND dialog, bool smallForm);
// Puts the selected translation and one blank on the clipboard (as CF_TEXT and CF_UNICODETEXT).
void CopyTranslation(HWND dialog, bool smallForm);
// The word a clipboard lookup searches (PrepareClipboardWord of the clipboard's text; the
// Unicode form preferred) into word, which keeps its content when the text gives none. False
// when there is nothing to look up.
bool ReadClipboardWord(HWND owner, char* word);

// True when the clipboard holds text in either form.
bool ClipboardHasText();
