#include "userdict/user_dict_buttons.h"

#include <cstring>

namespace {

constexpr size_t kTextSize = kUserDictTranslationSize * 4;

// The text without leading and trailing spaces.
void Trim(const char* text, char* out) {
    while (*text == ' ') {
        ++text;
    }
    size_t n = strnlen(text, kTextSize - 1);
    while (n > 0 && text[n - 1] == ' ') {
        --n;
    }
    memcpy(out, text, n);
    out[n] = '\0';
}

bool SameIgnoringAsciiCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<unsigned char>(x + 32);
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<unsigned char>(y + 32);
        }
        if (x != y) {
            return false;
        }
        if (x == 0) {
            return true;
        }
    }
}

// Add Word: a word that is not the selected entry's, with a translation. A translation of
// spaces only counts as none under both rules, so what Add stores always has one.
bool CanAdd(const char* word, const char* translation, const UserDictSelection& selected) {
    return word[0] && !SameIgnoringAsciiCase(word, selected.word) && translation[0];
}

}  // namespace

void FollowWordEdit(const char* word, const char* translation, const UserDictSelection& selected,
                    UserDictButtons& buttons) {
    char w[kTextSize];
    char t[kTextSize];
    Trim(word, w);
    Trim(translation, t);
    buttons.replace = false;
    buttons.search = w[0] && !SameIgnoringAsciiCase(w, selected.word);
    buttons.add = CanAdd(w, t, selected);
}

void FollowTranslationEdit(const char* word, const char* translation,
                           const UserDictSelection& selected, UserDictButtons& buttons) {
    char w[kTextSize];
    char t[kTextSize];
    Trim(word, w);
    Trim(translation, t);
    buttons.add = CanAdd(w, t, selected);
    buttons.replace = w[0] && SameIgnoringAsciiCase(w, selected.word) && t[0] &&
                      !SameIgnoringAsciiCase(t, selected.translation);
}
