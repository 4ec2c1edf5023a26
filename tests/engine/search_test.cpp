#include "engine/search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/code_pages.h"
#include "tests/engine/engine_fixture.h"

namespace {

typedef std::vector<std::string> Texts;

const char kTooMany[] = "Too many words. Please enter more letters.";
const char kNotFound[] = "Can't find the requested word";

// Keeps every status text (stored bytes), in order.
class RecordingView : public PlainLookupView {
public:
    void SetStatusText(const char* text) override {
        PlainLookupView::SetStatusText(text);
        history.push_back(text);
    }
    Texts history;
};

struct Searcher {
    explicit Searcher(std::unique_ptr<OpenDictionary> d) : dict(std::move(d)) {
        dict->options.accent = true;
    }
    bool Search(const std::string& query) {
        view.history.clear();
        std::string stored = Stored(query);
        snprintf(this->query, sizeof this->query, "%s", stored.c_str());
        bool found = SearchWord(*dict->engine, view, dict->options, this->query);
        EXPECT_EQ(view.waitCursorDepth, 0) << query;
        return found;
    }
    Texts Words() const {
        Texts out;
        for (int i = 0; i < view.words.Count(); ++i) {
            out.push_back(Utf8(view.words.TextAt(i)));
        }
        return out;
    }
    Texts Translations() const {
        Texts out;
        for (int i = 0; i < view.translations.Count(); ++i) {
            out.push_back(Utf8(view.translations.TextAt(i)));
        }
        return out;
    }
    std::unique_ptr<OpenDictionary> dict;
    RecordingView view;
    char query[100] = {};
};

Searcher Greek() {
    return Searcher(OpenFixture("greek_english"));
}

// Letter record offsets of an index, in file order.
std::vector<size_t> LetterRecords(const std::string& index) {
    std::vector<size_t> offsets;
    size_t at = 0;
    while (at + kIndexLetterRecordSize <= index.size()) {
        offsets.push_back(at);
        IndexLetterRecord r;
        DecodeLetterRecord(reinterpret_cast<const unsigned char*>(index.data()) + at, &r);
        at = r.next;
    }
    return offsets;
}

void SetNext(std::string* index, size_t record, uint32_t next) {
    IndexLetterRecord r;
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&(*index)[record]);
    DecodeLetterRecord(bytes, &r);
    r.next = next;
    EncodeLetterRecord(r, bytes);
}

}  // namespace

TEST(SearchTest, OneLetterListsItsWholeBlockLongerQueriesTheirPairBlock) {
    Searcher s = Greek();
    EXPECT_TRUE(s.Search("λ"));
    EXPECT_EQ(s.Words(), (Texts{"λόγια", "λογική", "λόγος", "Λονδίνο"}));
    EXPECT_STREQ(s.view.count, "4");
    EXPECT_STREQ(s.view.status, "");

    EXPECT_TRUE(s.Search("λογ"));
    EXPECT_EQ(s.Words(), (Texts{"λόγια", "λογική", "λόγος"}));
    // The first match is selected and its translations shown.
    EXPECT_EQ(s.view.words.Selection(), 0);
    EXPECT_EQ(s.Translations(), Texts{});

    // Without accent folding only the exact bytes typed match.
    s.dict->options.accent = false;
    EXPECT_TRUE(s.Search("λ"));
    EXPECT_EQ(s.Words(), (Texts{"λόγια", "λογική", "λόγος"}));
}

TEST(SearchTest, AccentFoldingMakesAccentedAndPlainQueriesEqual) {
    Searcher s = Greek();
    const Texts all = {"άλφα", "Άλφα Κενταύρου", "αλφαβητικός", "αλφάβητο"};
    EXPECT_TRUE(s.Search("άλφ"));
    EXPECT_EQ(s.Words(), all);
    EXPECT_EQ(std::string(s.query), Stored("αλφ"));  // the query is folded in place
    EXPECT_TRUE(s.Search("ΑΛΦ"));
    EXPECT_EQ(s.Words(), all);

    s.dict->options.accent = false;
    EXPECT_TRUE(s.Search("άλφ"));
    EXPECT_EQ(s.Words(), Texts{"άλφα"});
    EXPECT_TRUE(s.Search("αλφ"));
    EXPECT_EQ(s.Words(), (Texts{"αλφαβητικός", "αλφάβητο"}));

    Searcher latin(OpenFixture("english"));
    EXPECT_TRUE(latin.Search("ete"));
    EXPECT_EQ(latin.Words(), Texts{"été"});
    EXPECT_TRUE(latin.Search("ÉTU"));
    EXPECT_EQ(latin.Words(), Texts{"étude"});
    EXPECT_TRUE(latin.Search("app"));
    EXPECT_EQ(latin.Words(), (Texts{"apple", "application", "apply"}));
    EXPECT_TRUE(latin.Search("zu"));
    EXPECT_EQ(latin.Words(), Texts{"Zürich"});
}

TEST(SearchTest, TheCallersQueryScriptDecidesOverTheBytes) {
    // "ö" and "φ" are both byte F6; only the caller who had the typed text can tell them apart.
    std::string body, index;
    CompileSource("ö\tνησί\nörn\tαετός\nφως\tlight\nόψη\tlook\n", &body, &index);
    OpenDictionary d(body, index);
    d.options.accent = true;
    struct Case {
        QueryScript script;
        Texts words;
    } cases[] = {
        {QueryScript::kLatin, {"ö", "örn"}},
        {QueryScript::kGreek, {"φως"}},
        {QueryScript::kFromBytes, {"φως"}},  // stored text alone: the language test
    };
    for (const Case& c : cases) {
        d.options.queryScript = c.script;
        char query[100] = "\xF6";
        EXPECT_TRUE(SearchWord(*d.engine, d.view, d.options, query));
        Texts words;
        CodePage page = d.engine->queryIsGreek ? CodePage::kWindows1253 : CodePage::kWindows1252;
        for (int i = 0; i < d.view.words.Count(); ++i) {
            words.push_back(StoredToUtf8As(d.view.words.TextAt(i), page));
        }
        EXPECT_EQ(words, c.words) << static_cast<int>(c.script);
    }
}

TEST(SearchTest, TranslationsOfTheFirstMatch) {
    Searcher s = Greek();
    EXPECT_TRUE(s.Search("βιβλίο"));
    EXPECT_EQ(s.Words(), (Texts{"βιβλίο", "βιβλιοθήκη"}));
    // Sorted by the list without regard to case.
    EXPECT_EQ(s.Translations(), (Texts{"book", "Book", "volume"}));
    EXPECT_EQ(s.view.translations.Selection(), 0);

    // The item data is the offset of the translation text, just after the first comma.
    uint32_t data = s.view.words.ItemData(1);
    EXPECT_EQ(s.dict->body[data - 1], ',');

    // Selecting another word shows its translations.
    s.view.words.Select(1);
    ShowSelectedTranslations(*s.dict->engine, s.view, s.dict->options);
    EXPECT_EQ(s.Translations(), (Texts{"bookcase", "library"}));

    // Repeated headwords stay separate entries, in source order.
    EXPECT_TRUE(s.Search("ωραί"));
    EXPECT_EQ(s.Words(), (Texts{"ωραίος", "ωραίος"}));
    s.view.words.Select(1);
    ShowTranslations(*s.dict->engine, s.view, s.dict->options);
    EXPECT_EQ(s.Translations(), Texts{"fine"});
}

TEST(SearchTest, EmptyTranslationsAndEmptyItems) {
    std::string body;
    std::string index;
    BuildEntries({{"ab", "x", "", "", "y"}, {"ac"}, {"ad", ""}}, "31", &body, &index);
    Searcher s(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, index)));
    EXPECT_TRUE(s.Search("ab"));
    EXPECT_EQ(s.Translations(), (Texts{"x", "y"}));
    EXPECT_TRUE(s.Search("ac"));
    EXPECT_EQ(s.Words(), Texts{"ac"});
    EXPECT_EQ(s.Translations(), Texts{});
    EXPECT_EQ(s.view.translations.Selection(), -1);
    EXPECT_TRUE(s.Search("ad"));
    EXPECT_EQ(s.Translations(), Texts{});
}

TEST(SearchTest, ClosestWordRetriesStayInTheFirstBlock) {
    Searcher s = Greek();
    s.dict->options.root = true;
    EXPECT_TRUE(s.Search("λογικός"));
    EXPECT_EQ(s.Words(), Texts{"λογική"});
    EXPECT_EQ(std::string(s.query), Stored("λογικ"));
    const std::string searching = "Searching for : ";
    EXPECT_EQ(s.view.history,
              (Texts{"", searching + Stored("λογικο"), "", searching + Stored("λογικ"), ""}));

    // Down to one letter, and still within the block of the first two.
    s.dict->options.accent = false;
    EXPECT_TRUE(s.Search("ΛΟΞΨΖ"));
    EXPECT_EQ(s.Words(), Texts{"Λονδίνο"});
    EXPECT_EQ(s.view.history,
              (Texts{"", searching + Stored("ΛΟΞΨ"), "", searching + Stored("ΛΟΞ"), "",
                     searching + Stored("ΛΟ"), "", searching + Stored("Λ"), ""}));

    // Nothing down to one letter: not found, empty list, empty status line.
    EXPECT_FALSE(s.Search("ΑΛΦΑΞ"));
    EXPECT_EQ(s.Words(), Texts{});
    EXPECT_STREQ(s.view.status, "");
    EXPECT_STREQ(s.view.count, "0");

    // Two letters are never retried: found, with an empty list.
    EXPECT_TRUE(s.Search("ΑΛ"));
    EXPECT_EQ(s.Words(), Texts{});
    EXPECT_EQ(s.view.history, Texts{""});

    // Without Root nothing is retried.
    s.dict->options.root = false;
    EXPECT_TRUE(s.Search("ΛΟΞΨΖ"));
    EXPECT_EQ(s.Words(), Texts{});
    EXPECT_EQ(s.view.history, Texts{""});
}

TEST(SearchTest, NoBlockMeansNotFoundWhateverRoot) {
    Searcher s = Greek();
    for (bool root : {false, true}) {
        s.dict->options.root = root;
        for (const char* query : {"ξυλο", "ψ", "λα"}) {
            EXPECT_FALSE(s.Search(query)) << query;
            EXPECT_STREQ(s.view.status, kNotFound) << query;
            EXPECT_EQ(s.Words(), Texts{});
            EXPECT_EQ(s.Translations(), Texts{});
            EXPECT_STREQ(s.view.count, "0");
        }
    }
}

TEST(SearchTest, EmptyQueryChangesNothing) {
    Searcher s = Greek();
    EXPECT_TRUE(s.Search("λογ"));
    for (const char* query : {"", "  "}) {
        s.view.statusWrites = 0;
        EXPECT_FALSE(s.Search(query));
        EXPECT_EQ(s.Words().size(), 3u);
        EXPECT_EQ(s.view.statusWrites, 0);
        EXPECT_STREQ(s.dict->engine->lastSearched, "");
    }
}

TEST(SearchTest, QueryIsTrimmedCutAndRemembered) {
    Searcher s = Greek();
    EXPECT_TRUE(s.Search("  λόγ"));
    EXPECT_EQ(std::string(s.dict->engine->lastSearched), Stored("λόγ"));
    EXPECT_TRUE(s.dict->engine->queryIsGreek);
    EXPECT_EQ(s.Words().size(), 3u);

    std::string longQuery = "λο";
    for (int i = 0; i < 60; ++i) {
        longQuery += "ξ";
    }
    EXPECT_TRUE(s.Search(longQuery));
    EXPECT_EQ(strlen(s.query), kMaxQueryLength);
    EXPECT_EQ(strlen(s.dict->engine->lastSearched), kMaxQueryLength);
}

TEST(SearchTest, StatusAndCountOnlyInTheFullForm) {
    Searcher s = Greek();
    s.view.showsStatus = false;  // the compact form
    EXPECT_FALSE(s.Search("ξυ"));
    EXPECT_EQ(s.view.history, Texts{});
    EXPECT_STREQ(s.view.count, "");
    // The scan result is written in every form.
    EXPECT_TRUE(s.Search("λο"));
    EXPECT_EQ(s.view.history, Texts{""});
    EXPECT_STREQ(s.view.count, "");

    s.view.showsStatus = false;  // the small form
    EXPECT_FALSE(s.Search("ξυ"));
    EXPECT_EQ(s.view.history, Texts{});
}

TEST(SearchTest, FullListsStopTheScan) {
    Searcher s = Greek();
    s.view.words.SetCapacity(2);
    EXPECT_TRUE(s.Search("λ"));
    EXPECT_EQ(s.Words(), (Texts{"λόγια", "λογική"}));
    EXPECT_STREQ(s.view.status, kTooMany);
    EXPECT_STREQ(s.view.count, "2");

    s.view.words.SetCapacity(100);
    s.view.translations.SetCapacity(1);
    EXPECT_TRUE(s.Search("λόγος"));
    EXPECT_EQ(s.Translations().size(), 1u);
    EXPECT_STREQ(s.view.status, "");
}

TEST(SearchTest, PairModeSkipsHeadwordsWithSpaces) {
    Searcher s = Greek();
    s.dict->engine->pairMode = true;
    EXPECT_TRUE(s.Search("αλφα"));
    EXPECT_EQ(s.Words(), (Texts{"άλφα", "αλφαβητικός", "αλφάβητο"}));
}

TEST(SearchTest, BlocksLargerThanAChunk) {
    std::vector<std::vector<std::string>> entries;
    for (int i = 0; i < 3000; ++i) {
        char head[32];
        char item[32];
        snprintf(head, sizeof head, "ab%05d", i);
        snprintf(item, sizeof item, "translation %d", i);
        entries.push_back({head, item});
    }
    std::string body;
    std::string index;
    BuildEntries(entries, "5072", &body, &index);
    Searcher s(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, index)));
    EXPECT_TRUE(s.Search("ab"));
    Texts words = s.Words();
    ASSERT_EQ(words.size(), 3000u);
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(words[i], entries[i][0]);
    }
    for (int i : {1000, 1999, 2999}) {
        EXPECT_TRUE(s.Search(entries[i][0]));
        EXPECT_EQ(s.Translations(), Texts{entries[i][1]});
    }
}

TEST(SearchTest, BuiltinKeyDictionary) {
    Searcher s(OpenFixture("thesaurus"));
    EXPECT_TRUE(s.Search("αγ"));
    EXPECT_EQ(s.Words(), Texts{"αγάπη"});
    EXPECT_EQ(s.Translations(), (Texts{"έρωτας", "στοργή"}));
}

TEST(SearchTest, HooksForPairTranslationAndUserDictionary) {
    Searcher s = Greek();
    Engine& engine = *s.dict->engine;
    engine.hooks.listUserDictMatches = [](Engine&, LookupView& view, const char* query) {
        int i = view.Words().Add(query);
        view.Words().SetItemData(i, kUserDictItemFlag + 7);
    };
    engine.hooks.listUserDictTranslations = [](Engine&, LookupView& view, uint32_t data) {
        view.Translations().Add(data == kUserDictItemFlag + 7 ? "record 7" : "?");
    };
    s.dict->options.useUserDict = true;
    EXPECT_TRUE(s.Search("ώρα"));
    EXPECT_EQ(s.Words(), (Texts{"ώρα", "ωραίος", "ωραίος", "ωρα"}));
    EXPECT_STREQ(s.view.count, "4");
    s.view.words.Select(3);
    ShowSelectedTranslations(engine, s.view, s.dict->options);
    EXPECT_EQ(s.Translations(), Texts{"record 7"});

    // A user dictionary item without the user dictionary shows nothing.
    s.dict->options.useUserDict = false;
    ShowSelectedTranslations(engine, s.view, s.dict->options);
    EXPECT_EQ(s.Translations(), Texts{});

    engine.pairMode = true;
    engine.hooks.showPairTranslations = [](Engine&, LookupView& view, const SearchOptions&) {
        view.Translations().Clear();
        view.Translations().Add("through Greek");
    };
    EXPECT_TRUE(s.Search("ώρα"));
    EXPECT_EQ(s.Translations(), Texts{"through Greek"});
}

TEST(SearchTest, DamagedIndexEndsInNotFound) {
    std::string body;
    std::string index;
    CompileFixture("greek_english", &body, &index);
    std::vector<size_t> letters = LetterRecords(index);
    ASSERT_GE(letters.size(), 3u);
    const uint32_t size = static_cast<uint32_t>(index.size());

    struct Case {
        const char* name;
        std::string index;
    };
    std::vector<Case> cases;
    std::string d = index;
    SetNext(&d, 0, 0);
    cases.push_back({"first next-offset 0", d});
    d = index;
    SetNext(&d, letters[1], 0);
    cases.push_back({"next-offset back to the start (a cycle)", d});
    d = index;
    SetNext(&d, letters[2], static_cast<uint32_t>(letters[1]));
    cases.push_back({"next-offset backwards", d});
    d = index;
    SetNext(&d, letters[1], static_cast<uint32_t>(letters[1]));
    cases.push_back({"next-offset to itself", d});
    d = index;
    SetNext(&d, 0, size + 1000);
    cases.push_back({"next-offset past the end", d});
    d = index;
    SetNext(&d, 0, 0xFFFFFFFF);
    cases.push_back({"next-offset at the top of the range", d});
    cases.push_back({"cut inside a record", index.substr(0, kIndexLetterRecordSize + 4)});
    cases.push_back({"empty", ""});

    for (const Case& c : cases) {
        Searcher s(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, c.index)));
        s.dict->options.root = true;
        // ψ and ξ have no block; ω is the last letter, beyond every damage above.
        for (const char* query : {"ψ", "ξυ", "ωρ"}) {
            EXPECT_FALSE(s.Search(query)) << c.name << " / " << query;
            EXPECT_STREQ(s.view.status, kNotFound) << c.name;
            EXPECT_EQ(s.view.diskErrors, 0);
        }
    }
}

TEST(SearchTest, DamagedBlocksAndPairRecords) {
    std::string body;
    std::string index;
    CompileFixture("greek_english", &body, &index);
    std::vector<size_t> letters = LetterRecords(index);
    Searcher intact = Greek();

    // The last letter's pair records run to the end of the file; a letter record whose
    // next-offset points back lets its pair records run to the end of the file too.
    std::string d = index;
    SetNext(&d, letters[0], 0);
    Searcher s(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, d)));
    EXPECT_TRUE(s.Search("αβ"));
    EXPECT_EQ(s.Words(), Texts{"αβγό"});
    EXPECT_FALSE(s.Search("αω"));

    // Block offsets and lengths that point past the body list nothing.
    IndexPairRecord pair;
    std::string far = index;
    unsigned char* first = reinterpret_cast<unsigned char*>(&far[kIndexLetterRecordSize]);
    DecodePairRecord(first, &pair);
    pair.blockOffset = 0x7FFFFFFF;
    EncodePairRecord(pair, first);
    Searcher farOff(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, far)));
    EXPECT_TRUE(farOff.Search("αβ"));
    EXPECT_EQ(farOff.Words(), Texts{});

    std::string huge = index;
    first = reinterpret_cast<unsigned char*>(&huge[kIndexLetterRecordSize]);
    DecodePairRecord(first, &pair);
    pair.blockLength = 0xFFFFFFFF;
    EncodePairRecord(pair, first);
    Searcher whole(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, huge)));
    whole.dict->options.accent = false;
    EXPECT_TRUE(whole.Search("αβ"));  // reads on to the end of the body
    EXPECT_EQ(whole.Words(), Texts{"αβγό"});
    EXPECT_EQ(whole.view.diskErrors, 0);
}

TEST(SearchTest, OversizeEntriesAreCut) {
    const std::string longHead = std::string(300, 'a');
    const std::string longItem = std::string(200, 'b');
    std::vector<std::vector<std::string>> entries = {{longHead, longItem}};
    for (int i = 0; i < 30; ++i) {
        entries[0].push_back(std::string(150, static_cast<char>('c' + i % 20)));
    }
    entries.push_back({"az", "last"});
    std::string body;
    std::string index;
    BuildEntries(entries, "77", &body, &index);
    Searcher s(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, index)));
    EXPECT_TRUE(s.Search("aa"));
    ASSERT_EQ(s.Words().size(), 1u);
    EXPECT_EQ(s.Words()[0], std::string(149, 'a'));
    Texts translations = s.Translations();
    ASSERT_FALSE(translations.empty());
    size_t total = 0;
    for (const std::string& t : translations) {
        EXPECT_LE(t.size(), 149u);
        total += t.size() + 1;
    }
    EXPECT_LE(total, 3000u);  // the translation text is cut at 3000 bytes
    EXPECT_TRUE(s.Search("az"));
    EXPECT_EQ(s.Translations(), Texts{"last"});
}

TEST(SearchTest, MissingTerminatorAtTheEndOfTheFile) {
    // An unscrambled body "ab,xy" without terminator or trailer, indexed by hand.
    std::string body = "ab,xy";
    unsigned char letter[kIndexLetterRecordSize];
    unsigned char pair[kIndexPairRecordSize];
    EncodeLetterRecord({'a', 0, 5, 23}, letter);
    EncodePairRecord({static_cast<uint16_t>('a' | 'b' << 8), 0, 5}, pair);
    std::string index = std::string(reinterpret_cast<char*>(letter), sizeof letter) +
                        std::string(reinterpret_cast<char*>(pair), sizeof pair);
    Searcher s(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, index)));
    EXPECT_FALSE(s.dict->trailerValid);
    EXPECT_TRUE(s.Search("ab"));
    EXPECT_EQ(s.Words(), Texts{"ab"});
    EXPECT_EQ(s.Translations(), Texts{"xy"});
    EXPECT_TRUE(s.Search("a"));
    EXPECT_EQ(s.Words(), Texts{"ab"});
}

TEST(SearchTest, ReadErrorsShowTheDiskErrorAndEndTheWalk) {
    std::string body;
    std::string index;
    CompileFixture("greek_english", &body, &index);
    Searcher s(std::unique_ptr<OpenDictionary>(new OpenDictionary(body, index)));
    Engine& engine = *s.dict->engine;
    CloseDictFile(engine.mainBody);
    engine.mainBody = OpenMemoryDictFile(body.data(), body.size(), 10);
    EXPECT_TRUE(s.Search("λο"));
    EXPECT_EQ(s.Words(), Texts{});
    EXPECT_EQ(s.view.diskErrors, 1);

    CloseDictFile(engine.mainIndex);
    engine.mainIndex = OpenMemoryDictFile(index.data(), index.size(), 0);
    EXPECT_FALSE(s.Search("λο"));
    EXPECT_EQ(s.view.diskErrors, 2);

    // Files that did not open (a language pair opened without them) read as disk errors.
    CloseDictionaryFiles(engine);
    EXPECT_FALSE(s.Search("λο"));
    EXPECT_EQ(s.view.diskErrors, 3);
}
