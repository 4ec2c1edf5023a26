// What the search needs of the lookup dialog: its two lists, the status line and count, the
// wait cursor and the disk error message. The Win32 side wraps the real controls; tests and
// the command-line lookup use the plain implementation (plain_lookup_view.h). All texts are
// stored 8-bit bytes (Windows-1253 / Windows-1252).
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/interface_texts.h"

constexpr int kListRefused = -2;                    // Add: the list is out of space
constexpr uint32_t kNoItemData = 0xFFFFFFFF;        // ItemData of an index that does not exist
constexpr uint32_t kUserDictItemFlag = 0x80000000;  // item data of a user dictionary record

inline bool IsUserDictItem(uint32_t data) {
    return data != kNoItemData && (data & kUserDictItemFlag) != 0;
}

// A list box: unsorted (the word list 12000) or kept sorted without regard to case (the
// translation list 12001).
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void Clear() = 0;
    // Adds an item (appended, or at its sorted place); its index, or kListRefused.
    virtual int Add(const char* text) = 0;
    virtual void SetItemData(int index, uint32_t data) = 0;
    virtual uint32_t ItemData(int index) const = 0;
    virtual int Count() const = 0;
    virtual int Selection() const = 0;   // -1 when nothing is selected
    virtual void Select(int index) = 0;  // an index out of range clears the selection
    // Copies the item's text into buffer (cut to fit, NUL-terminated; "" when out of range).
    virtual void Text(int index, char* buffer, size_t size) const = 0;
    // Index of the item whose text equals `text` without regard to case, or -1.
    virtual int FindExact(const char* text) const = 0;
    // Makes room for up to `items` more items of `textBytes` bytes of text in all (each
    // item's terminator counted) before a fill of thousands, so the list does not grow item by
    // item. Only a hint: a list that keeps no storage of its own ignores it.
    virtual void Reserve(int items, size_t textBytes) {
        (void)items;
        (void)textBytes;
    }
};

class LookupView : public DiskErrorSink {
public:
    virtual ListBox& Words() = 0;                      // 12000
    virtual ListBox& Translations() = 0;               // 12001
    virtual void SetStatusText(const char* text) = 0;  // 12007
    virtual void SetCountText(const char* text) = 0;   // 12008
    // Whether the view shows the search's messages and count (only the full form of the lookup
    // dialog has the status line and the count); the scan result is written in every form.
    virtual bool ShowsStatus() const { return true; }
    // Why the first words listed are guesses ("Did you mean: σπίτι"): the status line where
    // the view has one.
    virtual void ShowGuessReason(const char* text) { SetStatusText(text); }
    virtual void ShowWaitCursor() = 0;
    virtual void RestoreCursor() = 0;
};
