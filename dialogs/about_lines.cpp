#include "dialogs/about_lines.h"

#include <cstring>

namespace {

bool IsLineWord(const char* word, size_t length) {
    static const char kLine[] = "line";
    if (length != 4) {
        return false;
    }
    for (size_t i = 0; i < length; ++i) {
        char c = word[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != kLine[i]) {
            return false;
        }
    }
    return true;
}

void AddLineItems(const char (*lines)[kAboutLineSize], size_t lineCount,
                  std::vector<std::string>& items) {
    for (size_t i = 0; i < lineCount; ++i) {
        const char* line = lines[i];
        const size_t length = strnlen(line, kAboutLineSize);
        std::string text;
        for (size_t at = 0; at < length;) {
            if (line[at] != '@') {
                text += line[at++];
                continue;
            }
            const size_t wordStart = at + 1;
            size_t wordEnd = wordStart;
            while (wordEnd < length && line[wordEnd] != ' ') {
                ++wordEnd;
            }
            if (IsLineWord(line + wordStart, wordEnd - wordStart)) {
                items.emplace_back();
            }
            // The marker, its word and one following space are left out; a marker at the very
            // end of the line ends the line.
            at = wordEnd < length ? wordEnd + 1 : length;
        }
        items.push_back(text);
        if (length == 0) {
            break;
        }
    }
}

std::vector<std::string> Padded(std::vector<std::string> items) {
    if (items.size() < kAboutListItems) {
        const size_t top = (kAboutListItems - items.size()) / 2;
        items.insert(items.begin(), top, std::string());
        items.resize(kAboutListItems);
    }
    return items;
}

}  // namespace

std::vector<std::string> AboutListItems(const char (*lines)[kAboutLineSize], size_t lineCount) {
    std::vector<std::string> items;
    AddLineItems(lines, lineCount, items);
    return Padded(items);
}

std::vector<std::string> AboutPairListItems(const char (*first)[kAboutLineSize],
                                            const char (*second)[kAboutLineSize],
                                            size_t lineCount) {
    std::vector<std::string> items;
    AddLineItems(first, lineCount, items);
    AddLineItems(second, lineCount, items);
    return Padded(items);
}

void TakeStoredAboutLines(DictFile* body, DictionaryTrailer* trailer) {
    if (body == nullptr) {
        return;
    }
    DictionaryTrailer stored;
    // No disk error box: the lines are a nicety, and the built-in ones stay on any failure.
    if (!ReadTrailer(nullptr, body, &stored)) {
        return;
    }
    memcpy(trailer->infoEnglish, stored.infoEnglish, sizeof trailer->infoEnglish);
    memcpy(trailer->infoGreek, stored.infoGreek, sizeof trailer->infoGreek);
}
