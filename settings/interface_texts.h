// The Greek interface texts: section "DialogGreekTokens" of the texts file, keyed by the
// decimal control, title or string id. An empty or missing text never changes anything, so
// the English text of the template stays.
#pragma once

#include <cstddef>

#include "settings/settings.h"

constexpr const char* kGreekTokensSection = "DialogGreekTokens";
constexpr size_t kGreekTitleSize = 100;
constexpr size_t kGreekItemSize = 600;

// The dialog whose texts are replaced.
class DialogTexts {
public:
    virtual ~DialogTexts() = default;
    virtual void SetTitle(const char* text) = 0;
    virtual void SetItemText(int controlId, const char* text) = 0;
};

bool LoadGreekTitle(DialogTexts& dialog, unsigned number, ProfileFile& texts);
// Translates every control from firstId to lastId inclusive; none when firstId > lastId.
void LoadGreekItems(DialogTexts& dialog, int firstId, int lastId, ProfileFile& texts);
bool LoadGreekItem(DialogTexts& dialog, int controlId, unsigned number, ProfileFile& texts);
// Reads the text of number into out (empty when missing); returns its length.
size_t GetGreekText(unsigned number, char* out, size_t size, ProfileFile& texts);
