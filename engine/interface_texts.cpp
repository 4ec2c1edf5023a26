#include "engine/interface_texts.h"

#include <cstring>

namespace {

struct TextEntry {
    unsigned id;
    const char* text;
};

const TextEntry kEnglishTexts[] = {
    {IDS_SEARCHING_FOR, "Searching for :"},
    {IDS_CANT_FIND_WORD, "Can't find the requested word"},
    {IDS_TOO_MANY_WORDS, "Too many words. Please enter more letters."},
    {IDS_STATUS_CLEAR, ""},
    {IDS_THESAURUS_TITLE, "Thesaurus of Greek language"},
    {IDS_GREEK_ENGLISH_TITLE, "Greek-English dictionary"},
    {IDS_FORM_OF, "A form of:"},
    {IDS_DID_YOU_MEAN, "Did you mean:"},
    {IDS_IN_GREEK_LETTERS, "In Greek letters:"},
    {IDS_PHRASES_WITH, "Phrases with:"},
};

}  // namespace

const char* EnglishInterfaceText(unsigned id) {
    for (const TextEntry& entry : kEnglishTexts) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return "";
}

void InterfaceTexts::Load(unsigned id, bool /*greek*/, char* buffer, size_t size) const {
    if (size == 0) {
        return;
    }
    const char* text = EnglishInterfaceText(id);
    size_t n = strlen(text);
    if (n >= size) {
        n = size - 1;
    }
    memcpy(buffer, text, n);
    buffer[n] = '\0';
}

const InterfaceTexts& DefaultInterfaceTexts() {
    static const InterfaceTexts texts;
    return texts;
}
