// The lookup dialog's fields as plain data.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "settings/settings.h"

class FakeLookupFields : public LookupFields {
public:
    std::vector<std::string> history;
    int selected = -1;
    std::string currentWord;
    std::string lastSearched = "previous";
    std::string dictionary;  // empty: no selection

    int HistoryCount() override { return static_cast<int>(history.size()); }
    void HistoryText(int index, char* out, size_t size) override {
        Copy(history.at(index), out, size);
    }
    void InsertHistory(int index, const char* word) override {
        if (index < 0) {
            history.push_back(word);
        } else {
            history.insert(history.begin() + index, word);
        }
    }
    void RemoveHistory(int index) override { history.erase(history.begin() + index); }
    void SelectHistory(int index) override { selected = index; }
    void SetCurrentWord(const char* word) override { currentWord = word; }
    void CurrentWord(char* out, size_t size) override { Copy(currentWord, out, size); }
    void ClearLastSearchedWord() override { lastSearched.clear(); }
    bool SelectedDictionary(char* out, size_t size) override {
        if (dictionary.empty()) {
            return false;
        }
        Copy(dictionary, out, size);
        return true;
    }

private:
    static void Copy(const std::string& text, char* out, size_t size) {
        size_t n = text.size() < size - 1 ? text.size() : size - 1;
        memcpy(out, text.data(), n);
        out[n] = '\0';
    }
};
