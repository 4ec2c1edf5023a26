#include "settings/interface_texts.h"

#include <cstdio>

namespace {

size_t ReadToken(unsigned number, char* out, size_t size, ProfileFile& texts) {
    char key[12];
    snprintf(key, sizeof(key), "%u", number);
    size_t n = texts.GetString(kGreekTokensSection, key, "", out, size);
    if (size > 0 && n == 0) {
        out[0] = '\0';
    }
    return n;
}

}  // namespace

bool LoadGreekTitle(DialogTexts& dialog, unsigned number, ProfileFile& texts) {
    char text[kGreekTitleSize];
    if (ReadToken(number, text, sizeof(text), texts) == 0) {
        return false;
    }
    dialog.SetTitle(text);
    return true;
}

void LoadGreekItems(DialogTexts& dialog, int firstId, int lastId, ProfileFile& texts) {
    for (int id = firstId; id <= lastId; ++id) {
        LoadGreekItem(dialog, id, id, texts);
    }
}

bool LoadGreekItem(DialogTexts& dialog, int controlId, unsigned number, ProfileFile& texts) {
    char text[kGreekItemSize];
    if (ReadToken(number, text, sizeof(text), texts) == 0) {
        return false;
    }
    dialog.SetItemText(controlId, text);
    return true;
}

size_t GetGreekText(unsigned number, char* out, size_t size, ProfileFile& texts) {
    if (size == 0) {
        return 0;
    }
    return ReadToken(number, out, size, texts);
}
