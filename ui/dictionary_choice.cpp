#include "ui/dictionary_choice.h"

namespace {

// The dialog as the fallback opens it: the user has been told once that the choice failed.
class QuietCatalogueDialog : public CatalogueDialog {
public:
    explicit QuietCatalogueDialog(CatalogueDialog& dialog) : dialog_(dialog) {}
    DictionaryList& Dictionaries() override { return dialog_.Dictionaries(); }
    void SetTitle(const char* title) override { dialog_.SetTitle(title); }
    void ApplyKeyboardDescription(const char* descriptor) override {
        dialog_.ApplyKeyboardDescription(descriptor);
    }
    void ShowInformation(unsigned) override {}
    void ShowDamagedDictionary(const char*) override {}
    void RememberedDictionary(char* buffer, size_t size) override {
        dialog_.RememberedDictionary(buffer, size);
    }
    void ShowDiskError() override { dialog_.ShowDiskError(); }

private:
    CatalogueDialog& dialog_;
};

}  // namespace

int OpenDictionaryChoice(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog,
                         int previous) {
    DictionaryList& list = dialog.Dictionaries();
    if (OpenSelectedDictionary(engine, catalogue, &dialog)) {
        return list.Selection();
    }
    // An empty list after the attempt: nothing was found at all, and nothing can be tried.
    int count = list.Count();
    int failed = list.Selection();
    QuietCatalogueDialog quiet(dialog);
    for (int i = -1; i < count; ++i) {
        int candidate = i < 0 ? previous : i;
        if (candidate < 0 || candidate >= count || candidate == failed ||
            (i >= 0 && candidate == previous)) {
            continue;
        }
        list.Select(candidate);
        if (OpenSelectedDictionary(engine, catalogue, &quiet)) {
            return candidate;
        }
    }
    return -1;
}
