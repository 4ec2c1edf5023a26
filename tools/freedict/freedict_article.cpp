#include "tools/freedict/freedict_article.h"

#include <algorithm>

#include "tools/freedict/code_page_fit.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The pieces of text between separators, empty ones included.
std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            end = text.size();
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines = SplitAt(text, '\n');
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
    }
    while (!lines.empty() && CleanSpaces(lines.back()).empty()) {
        lines.pop_back();
    }
    return lines;
}

std::string TrimRight(std::string text) {
    while (!text.empty() && (IsSpace(text.back()) || text.back() == ',')) {
        text.pop_back();
    }
    return text;
}

// Removes one trailing "<...>" group; false when the text does not end in one.
bool StripPartOfSpeech(std::string& text) {
    if (text.empty() || text.back() != '>') {
        return false;
    }
    size_t start = text.rfind('<');
    if (start == std::string::npos || (start > 0 && !IsSpace(text[start - 1]))) {
        return false;
    }
    text = TrimRight(text.substr(0, start));
    return true;
}

// Pronunciations follow the headword as "/.../" groups, some of them written "//...//" or with
// a "/" inside; everything from the first " /" on is pronunciation when the line ends in "/".
void StripPronunciations(std::string& text) {
    if (text.empty() || text.back() != '/') {
        return;
    }
    size_t start = text.find(" /");
    if (start != std::string::npos) {
        text = TrimRight(text.substr(0, start));
    }
}

// "12. " at the start of a line: the number of a sense. Returns the length of the mark, or 0.
size_t SenseNumberLength(const std::string& line) {
    size_t i = 0;
    while (i < line.size() && IsDigit(line[i])) {
        ++i;
    }
    if (i == 0 || i + 1 >= line.size() || line[i] != '.' || line[i + 1] != ' ') {
        return 0;
    }
    return i + 2;
}

// A translation line that ends in " 2." carries the number of a sub-sense whose note follows.
std::string WithoutTrailingSenseNumber(std::string line) {
    line = TrimRight(line);
    if (line.empty() || line.back() != '.') {
        return line;
    }
    size_t i = line.size() - 1;
    while (i > 0 && IsDigit(line[i - 1])) {
        --i;
    }
    if (i == line.size() - 1 || i == 0 || !IsSpace(line[i - 1])) {
        return line;
    }
    return TrimRight(line.substr(0, i));
}

bool HasGreekLetter(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = NextCodePoint(text, pos);
        if ((c >= 0x0370 && c <= 0x03FF) || (c >= 0x1F00 && c <= 0x1FFF)) {
            return true;
        }
    }
    return false;
}

// WikDict's data marks a missing translation with "ΧΧΧ" (Greek chi) or "to be added".
bool IsPlaceholder(const std::string& item) {
    return item == "ΧΧΧ" || item == "χχχ" || item == "XXX" || item == "xxx" ||
           item == "να προστεθεί μετάφραση";
}

}  // namespace

std::string CleanSpaces(const std::string& text) {
    std::string out;
    bool pendingSpace = false;
    for (char c : text) {
        if (IsSpace(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) {
            out += ' ';
        }
        pendingSpace = false;
        out += c;
    }
    return out;
}

ArticleLayout DetectArticleLayout(const std::string& text) {
    std::vector<std::string> lines = SplitLines(text);
    if (lines.size() >= 3 && CleanSpaces(lines[1]).empty()) {
        return ArticleLayout::Paragraph;
    }
    return ArticleLayout::Sense;
}

namespace {

// The comma-separated items of text, their spaces cleaned, empty ones left out.
std::vector<std::string> CommaItems(const std::string& text) {
    std::vector<std::string> items;
    for (const std::string& piece : SplitAt(text, ',')) {
        std::string item = CleanSpaces(piece);
        if (!item.empty()) {
            items.push_back(item);
        }
    }
    return items;
}

}  // namespace

std::vector<std::string> HeadwordsOfHeader(const std::string& header, ArticleLayout layout) {
    std::string text = TrimRight(header);
    while (StripPartOfSpeech(text)) {
    }
    StripPronunciations(text);
    std::vector<std::string> headwords;
    if (layout == ArticleLayout::Paragraph) {
        for (const std::string& word : CommaItems(text)) {
            if (std::find(headwords.begin(), headwords.end(), word) == headwords.end()) {
                headwords.push_back(word);
            }
        }
    } else {
        std::replace(text.begin(), text.end(), ',', ' ');
        std::string word = CleanSpaces(text);
        if (!word.empty()) {
            headwords.push_back(word);
        }
    }
    return headwords;
}

std::vector<std::string> SplitTranslationLine(const std::string& line) {
    // A comma splits items only outside brackets; an opening bracket without its closing one
    // (the data has a few) does not hide the commas after it.
    std::string text = line;
    for (size_t i = 0; i < text.size(); ++i) {
        char close = text[i] == '(' ? ')' : text[i] == '[' ? ']' : text[i] == '{' ? '}' : 0;
        if (!close) {
            continue;
        }
        size_t end = text.find(close, i + 1);
        if (end == std::string::npos) {
            continue;
        }
        for (size_t j = i + 1; j < end; ++j) {
            if (text[j] == ',') {
                text[j] = ';';
            }
        }
        i = end;
    }
    return CommaItems(text);
}

std::string PartOfSpeechOfHeader(const std::string& header) {
    size_t start = header.find(" <");
    if (start == std::string::npos) {
        return "";
    }
    size_t end = header.find_first_of(",>", start + 2);
    if (end == std::string::npos) {
        return "";
    }
    return CleanSpaces(header.substr(start + 2, end - start - 2));
}

MappedArticle MapArticle(const std::string& text, bool translationsAreGreek) {
    MappedArticle article;
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty()) {
        return article;
    }
    ArticleLayout layout = DetectArticleLayout(text);
    article.headwords = HeadwordsOfHeader(lines[0], layout);
    article.partOfSpeech = PartOfSpeechOfHeader(lines[0]);

    std::vector<std::string> translationLines;
    if (layout == ArticleLayout::Paragraph) {
        std::string paragraph;
        for (size_t i = 2; i < lines.size(); ++i) {
            paragraph += " " + lines[i];
        }
        translationLines.push_back(paragraph);
    } else {
        for (size_t i = 1; i < lines.size(); ++i) {
            size_t number = SenseNumberLength(lines[i]);
            bool translation = number > 0 || i == 1;
            // Some databases into Greek number their notes too; a note is not Greek there.
            if (translation && translationsAreGreek && !HasGreekLetter(lines[i])) {
                translation = false;
            }
            if (translation) {
                translationLines.push_back(lines[i].substr(number));
            } else if (!CleanSpaces(lines[i]).empty()) {
                ++article.notesDropped;
            }
        }
    }
    for (const std::string& line : translationLines) {
        for (const std::string& item : SplitTranslationLine(WithoutTrailingSenseNumber(line))) {
            if (IsPlaceholder(item)) {
                ++article.placeholdersDropped;
            } else if (std::find(article.items.begin(), article.items.end(), item) ==
                       article.items.end()) {
                article.items.push_back(item);
            }
        }
    }
    return article;
}
