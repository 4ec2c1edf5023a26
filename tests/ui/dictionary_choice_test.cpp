#include "ui/dictionary_choice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/engine/engine_fixture.h"
#include "tests/engine/fake_catalogue_dialog.h"
#include "tests/engine/memory_file_system.h"

namespace {

const char kDir[] = "C:\\WM";

// Three dictionaries listed as "Alpha", "Beta", "Gamma"; a test then takes index files away,
// as a user or a removed disk does while the program runs.
class DictionaryChoiceTest : public testing::Test {
protected:
    void SetUp() override { Install({}); }
    ~DictionaryChoiceTest() override { CloseDictionaryFiles(*engine); }

    // Fresh files, list and dialog; then the named index files are gone.
    void Install(const std::vector<const char*>& gone) {
        if (engine) {
            CloseDictionaryFiles(*engine);
        }
        engine.reset(new Engine);
        catalogue.reset(new Catalogue);
        fs = MemoryFileSystem();
        dialog = FakeCatalogueDialog();
        snprintf(catalogue->programDir, sizeof catalogue->programDir, "%s", kDir);
        catalogue->files = &fs;
        for (const char* name : {"Alpha", "Beta", "Gamma"}) {
            std::string body, index;
            CompileSource(std::string("@list-en ") + name + "\n@title-en " + name + "\na\tα\n",
                          &body, &index);
            fs.AddDictionary(kDir, name, body, index);
        }
        ASSERT_TRUE(FillCatalogue(*engine, *catalogue, dialog));
        for (const char* name : gone) {
            fs.files.erase(MemoryFileSystem::Join(kDir, std::string(name) + ".ind"));
        }
    }
    int Open(int selection, int previous) {
        dialog.list.Select(selection);
        return OpenDictionaryChoice(*engine, *catalogue, dialog, previous);
    }

    MemoryFileSystem fs;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Catalogue> catalogue;
    FakeCatalogueDialog dialog;
};

TEST_F(DictionaryChoiceTest, OpensTheChosenEntry) {
    EXPECT_EQ(Open(1, 0), 1);
    EXPECT_EQ(dialog.title, "Beta");
    EXPECT_TRUE(dialog.information.empty());
}

struct FallbackCase {
    std::vector<const char*> gone;  // index files taken away after the list was filled
    int chosen;
    int previous;
    int open;  // the entry open afterwards (-1: none)
    const char* title;
};

TEST_F(DictionaryChoiceTest, AChoiceThatCannotBeOpenedFallsBackAndIsToldOnce) {
    const FallbackCase cases[] = {
        {{"Gamma"}, 2, 1, 1, "Beta"},            // back to the entry open before
        {{"Gamma"}, 2, -1, 0, "Alpha"},          // at start: the first entry
        {{"Alpha", "Gamma"}, 2, -1, 1, "Beta"},  // the first entry that opens
        {{"Beta", "Gamma"}, 2, 1, 0, "Alpha"},   // the previous one is gone too
        {{"Alpha", "Beta", "Gamma"}, 0, -1, -1, ""},
    };
    for (const FallbackCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "chosen " << c.chosen << ", previous " << c.previous);
        Install(c.gone);
        EXPECT_EQ(Open(c.chosen, c.previous), c.open);
        if (c.open >= 0) {
            EXPECT_EQ(dialog.list.Selection(), c.open);
        }
        EXPECT_EQ(dialog.title, c.title);
        EXPECT_EQ(dialog.information, std::vector<unsigned>{IDS_CANT_OPEN_FILES});
    }
}

}  // namespace
