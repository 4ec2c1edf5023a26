#include "engine/interface_texts.h"

#include <cstring>

namespace {

struct TextEntry {
    unsigned id;
    const char* text;
};

const TextEntry kEnglishTexts[] = {
    {kTextSearchingFor, "Searching for :"},
    {kTextWordNotFound, "Can't find the requested word"},
    {kTextTooManyWords, "Too many words. Please enter more letters."},
    {kTextScanDone, ""},
    {kTextThesaurusTitle, "Thesaurus of Greek language"},
    {kTextGreekEnglishTitle, "Greek-English dictionary"},
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
