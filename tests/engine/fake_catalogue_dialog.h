// A catalogue dialog that only records: the list it fills, the title and keyboard description
// it is given, the notices it is asked to show and the dictionary text it remembers.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "engine/catalogue.h"

class FakeCatalogueDialog : public CatalogueDialog {
public:
    DictionaryList& Dictionaries() override { return list; }
    void SetTitle(const char* text) override { title = text; }
    void ApplyKeyboardDescription(const char* text) override { descriptor = text; }
    void ShowInformation(unsigned id) override { information.push_back(id); }
    void RememberedDictionary(char* buffer, size_t size) override {
        snprintf(buffer, size, "%s", remembered.c_str());
    }
    void ShowDiskError() override { ++diskErrors; }
    void ShowDamagedDictionary(const char* path) override { damaged.push_back(path); }

    PlainDictionaryList list;
    std::string title;
    std::string descriptor;
    std::vector<unsigned> information;
    std::vector<std::string> damaged;  // the files named as damaged
    std::string remembered;
    int diskErrors = 0;
};
