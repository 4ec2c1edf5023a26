// The lookup window's exchange with the clipboard: copy the selected translation out, take the
// word to look up from the clipboard text, and keep the Copy and Paste buttons in step.
#pragma once

#include <windows.h>

#include <vector>

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

// Empties the clipboard and announces text in both forms, to be rendered late: the program that
// pastes asks owner for it (WM_RENDERFORMAT), which tells that the paste arrived.
bool OfferTextLate(HWND owner);
// Renders stored text in one text format (CF_TEXT as the stored bytes, CF_UNICODETEXT decoded);
// other formats are ignored. The clipboard must be open, by the asking program or by this one.
void RenderStoredText(UINT format, const char* stored);

// Opens the clipboard for owner, trying again for a short bounded while when another program
// holds it open (it is then writing or reading and lets go within milliseconds).
bool OpenClipboardPatiently(HWND owner);

// What the clipboard held before the program's own keystrokes changed it, put back afterwards so
// that a hot-key lookup or a paste does not cost the user what they had copied.
class ClipboardSnapshot {
public:
    ClipboardSnapshot() = default;
    ClipboardSnapshot(const ClipboardSnapshot&) = delete;
    ClipboardSnapshot& operator=(const ClipboardSnapshot&) = delete;
    ~ClipboardSnapshot() { Discard(); }

    // Copies every format that can be put back; false when the clipboard could not be opened.
    // An earlier snapshot is dropped first.
    bool Take(HWND owner);
    // Puts the copies back when the clipboard changed since Take, and drops the snapshot either
    // way. False when the clipboard could not be opened (the snapshot is then dropped too).
    bool GiveBack(HWND owner);
    void Discard();
    bool Held() const { return held_; }
    size_t FormatCount() const { return items_.size(); }

private:
    struct Item {
        UINT format;
        HANDLE handle;
    };
    std::vector<Item> items_;
    DWORD sequence_ = 0;
    bool held_ = false;
};
