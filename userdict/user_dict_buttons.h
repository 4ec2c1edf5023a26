// The maintenance dialog's button rules, run whenever the word or the translation edit changes.
// They compare with the entry last loaded by a double click (the selected entry), without regard
// to the case of ASCII letters. Texts are stored 8-bit bytes.
#pragma once

#include "userdict/user_dict_file.h"

// The entry last loaded into the dialog's edits; both empty when the dialog opens.
struct UserDictSelection {
    char word[kUserDictWordSize] = {};
    char translation[kUserDictTranslationSize] = {};
};

struct UserDictButtons {
    bool search = false;
    bool add = false;
    bool replace = false;
    bool remove = false;  // Delete word
};

// The word edit changed: Replace word goes off; Search Word and Add Word follow the word.
void FollowWordEdit(const char* word, const char* translation, const UserDictSelection& selected,
                    UserDictButtons& buttons);
// The translation edit changed: Add Word and Replace word follow; Search Word stays.
void FollowTranslationEdit(const char* word, const char* translation,
                           const UserDictSelection& selected, UserDictButtons& buttons);
