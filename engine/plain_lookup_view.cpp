#include "engine/plain_lookup_view.h"

#include <cstdio>
#include <cstring>

#include "engine/folding.h"

namespace {

// The list box compares without regard to case; lower-casing bytes with the Greek table also
// lower-cases ASCII and most Windows-1252 capitals.
int CompareNoCase(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        unsigned char cx = LowerGreekChar(*x);
        unsigned char cy = LowerGreekChar(*y);
        if (cx != cy || cx == 0) {
            return cx < cy ? -1 : cx > cy ? 1 : 0;
        }
    }
}

void CopyText(char* out, size_t size, const char* text) {
    if (size == 0) {
        return;
    }
    size_t n = strlen(text);
    if (n >= size) {
        n = size - 1;
    }
    memcpy(out, text, n);
    out[n] = '\0';
}

}  // namespace

PlainListBox::PlainListBox(Order order, int capacity) : order_(order), capacity_(capacity) {}

void PlainListBox::Clear() {
    items_.clear();
    selection_ = -1;
}

int PlainListBox::Add(const char* text) {
    if (static_cast<int>(items_.size()) >= capacity_) {
        return kListRefused;
    }
    Item item;
    CopyText(item.text, sizeof item.text, text);
    item.data = 0;
    size_t at = items_.size();
    if (order_ == kSorted) {
        at = 0;
        while (at < items_.size() && CompareNoCase(items_[at].text, item.text) <= 0) {
            ++at;
        }
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), item);
    if (selection_ >= static_cast<int>(at)) {
        ++selection_;
    }
    return static_cast<int>(at);
}

void PlainListBox::SetItemData(int index, uint32_t data) {
    if (index >= 0 && index < Count()) {
        items_[index].data = data;
    }
}

uint32_t PlainListBox::ItemData(int index) const {
    return index >= 0 && index < Count() ? items_[index].data : kNoItemData;
}

void PlainListBox::Select(int index) {
    selection_ = index >= 0 && index < Count() ? index : -1;
}

void PlainListBox::Text(int index, char* buffer, size_t size) const {
    CopyText(buffer, size, TextAt(index));
}

const char* PlainListBox::TextAt(int index) const {
    return index >= 0 && index < Count() ? items_[index].text : "";
}

int PlainListBox::FindExact(const char* text) const {
    for (int i = 0; i < Count(); ++i) {
        if (CompareNoCase(items_[i].text, text) == 0) {
            return i;
        }
    }
    return -1;
}

PlainLookupView::PlainLookupView(int wordCapacity, int translationCapacity)
    : words(PlainListBox::kUnsorted, wordCapacity),
      translations(PlainListBox::kSorted, translationCapacity) {}

void PlainLookupView::SetStatusText(const char* text) {
    CopyText(status, sizeof status, text);
    ++statusWrites;
}

void PlainLookupView::SetCountText(const char* text) {
    CopyText(count, sizeof count, text);
}

int CompareListTexts(const char* a, const char* b) {
    return CompareNoCase(a, b);
}
