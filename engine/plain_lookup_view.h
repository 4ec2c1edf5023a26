// Plain, platform-free list boxes and lookup view for tests and the command-line lookup.
//
//   PlainListBox words(PlainListBox::kUnsorted, 500);  // refuses the 501st item
//   PlainLookupView view;                               // holds both lists
//   SearchWord(engine, view, options, query);
//   view.words.Text(0, buffer, sizeof buffer);  view.status  view.count
//
// Item texts are kept up to 149 bytes. Storage grows only up to the largest list seen, so
// repeated searches allocate nothing once warm.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/lookup_view.h"

// The order of a sorted list (without regard to case), as strcmp answers.
int CompareListTexts(const char* a, const char* b);

class PlainListBox : public ListBox {
public:
    enum Order { kUnsorted, kSorted };
    static constexpr int kDefaultCapacity = 32767;

    explicit PlainListBox(Order order = kUnsorted, int capacity = kDefaultCapacity);
    void SetCapacity(int capacity) { capacity_ = capacity; }

    void Clear() override;
    int Add(const char* text) override;
    void SetItemData(int index, uint32_t data) override;
    uint32_t ItemData(int index) const override;
    int Count() const override { return static_cast<int>(items_.size()); }
    int Selection() const override { return selection_; }
    void Select(int index) override;
    void Text(int index, char* buffer, size_t size) const override;
    int FindExact(const char* text) const override;
    // The item's text itself; "" when out of range.
    const char* TextAt(int index) const;

private:
    struct Item {
        char text[150];
        uint32_t data;
    };
    Order order_;
    int capacity_;
    int selection_ = -1;
    std::vector<Item> items_;
};

class PlainLookupView : public LookupView {
public:
    explicit PlainLookupView(int wordCapacity = PlainListBox::kDefaultCapacity,
                             int translationCapacity = PlainListBox::kDefaultCapacity);

    ListBox& Words() override { return words; }
    ListBox& Translations() override { return translations; }
    void SetStatusText(const char* text) override;
    void SetCountText(const char* text) override;
    void ShowWaitCursor() override { ++waitCursorDepth; }
    void RestoreCursor() override { --waitCursorDepth; }
    void ShowDiskError() override { ++diskErrors; }
    bool ShowsStatus() const override { return showsStatus; }

    PlainListBox words;
    PlainListBox translations;
    char status[160] = {};
    char count[16] = {};
    int statusWrites = 0;
    int waitCursorDepth = 0;  // back to 0 after every search
    int diskErrors = 0;
    bool showsStatus = true;
};
