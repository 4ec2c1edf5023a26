// wordmere-freedict: turns Debian's FreeDict databases into the dictionary compiler's source
// files (GRENG, THESS and one pairable dictionary per further language) and prints what it
// wrote and what it left out.
//
//     wordmere-freedict [--data DIR] OUTDIR
//
// DIR is where the dictd databases are (default /usr/share/dictd); OUTDIR receives BASE.txt for
// every dictionary. Exit status 0 on success, 2 on an error (one line naming file and problem).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/freedict/database_credits.h"
#include "tools/freedict/dictd_database.h"
#include "tools/freedict/dictionary_source.h"
#include "tools/freedict/freedict_article.h"
#include "tools/freedict/thesaurus.h"

namespace {

// A dictionary between Greek and one other language, made of FreeDict's two directions.
struct PairableDictionary {
    const char* base;        // at most 7 characters: pairable dictionaries' base-name limit
    const char* code;        // FreeDict's language code
    const char* english;     // the language's name in English
    const char* greek;       // ... and in Greek
    const char* greekTitle;  // "Ελληνο...": the Greek-X adjective
    const char* greekBack;   // "...ελληνικό": the X-Greek adjective
    const char* key;         // the dictionary's own scrambling key
    const char* startWord;
};

const PairableDictionary kPairable[] = {
    {"FRENCH", "fra", "French", "Γαλλικά", "Ελληνογαλλικό", "γαλλοελληνικό", "5820417396",
     "bonjour"},
    {"ITALIAN", "ita", "Italian", "Ιταλικά", "Ελληνοϊταλικό", "ιταλοελληνικό", "7361049285",
     "ciao"},
    {"DUTCH", "nld", "Dutch", "Ολλανδικά", "Ελληνοολλανδικό", "ολλανδοελληνικό", "2947106358",
     "hallo"},
    {"SWEDISH", "swe", "Swedish", "Σουηδικά", "Ελληνοσουηδικό", "σουηδοελληνικό", "8102653947",
     "hej"},
    {"FINNISH", "fin", "Finnish", "Φινλανδικά", "Ελληνοφινλανδικό", "φινλανδοελληνικό",
     "4639172058", "hei"},
    {"POLISH", "pol", "Polish", "Πολωνικά", "Ελληνοπολωνικό", "πολωνοελληνικό", "6058291734",
     "dom"},
};

struct Database {
    std::string name;  // "ell-fra"
    DatabaseCredits credits;
    std::vector<MappedArticle> articles;
    long notesDropped = 0;
    long placeholdersDropped = 0;
};

bool LoadDatabase(const std::string& dir, const std::string& name, Database& database,
                  std::string& error) {
    std::vector<DictdArticle> articles;
    std::string stem = dir + "/freedict-" + name;
    if (!ReadDictdDatabase(stem + ".index", stem + ".dict.dz", articles, error)) {
        return false;
    }
    std::string info;
    if (!ReadDictdInformation(stem + ".index", stem + ".dict.dz", info, error)) {
        return false;
    }
    database.credits = ParseDatabaseInfo(name, info);
    database.name = name;
    database.articles.clear();
    for (const DictdArticle& article : articles) {
        bool intoGreek = name.size() > 4 && name.compare(name.size() - 4, 4, "-ell") == 0;
        database.articles.push_back(MapArticle(article.text, intoGreek));
        database.notesDropped += database.articles.back().notesDropped;
        database.placeholdersDropped += database.articles.back().placeholdersDropped;
    }
    return true;
}

void AddDatabase(DictionarySource& source, const Database& database) {
    for (const MappedArticle& article : database.articles) {
        for (const std::string& headword : article.headwords) {
            source.Add(headword, article.items);
        }
    }
    source.Summary().Count("note lines left out (" + database.name + ")", database.notesDropped);
    source.Summary().Count(
        "items dropped: placeholder for a missing translation (" + database.name + ")",
        database.placeholdersDropped);
}

bool WriteDictionary(const std::string& outDir, const std::string& base,
                     const std::vector<SourceHeaderLine>& header, DictionarySource& source,
                     const std::string& from, const std::string& startWord, std::string& error) {
    ImportSummary summary;
    std::vector<SourceEntry> entries = source.Finish(summary);
    if (!WriteSourceFile(outDir + "/" + base + ".txt", header, entries, error)) {
        return false;
    }
    std::printf("%s: %ld entries, %ld items written (from %s)\n", base.c_str(), summary.entries,
                summary.items, from.c_str());
    for (const auto& left : summary.left) {
        std::printf("  %s: %ld\n", left.first.c_str(), left.second);
    }
    if (!startWord.empty()) {
        // The start word is searched like a typed word: it must begin some headword.
        std::string prefix = FoldForComparison(startWord);
        bool found = false;
        for (const SourceEntry& entry : entries) {
            found =
                found || FoldForComparison(entry.headword).compare(0, prefix.size(), prefix) == 0;
        }
        if (!found) {
            std::printf("  note: no headword begins with the start word \"%s\"\n",
                        startWord.c_str());
        }
    }
    return true;
}

// The About lines, in both interface languages, that credit the FreeDict databases a dictionary
// is made of.
void AddCredits(std::vector<SourceHeaderLine>& header, const std::string& headingEnglish,
                const std::string& headingGreek, const std::vector<const Database*>& databases,
                const std::string& closingEnglish = "", const std::string& closingGreek = "") {
    std::vector<DatabaseCredits> credits;
    for (const Database* database : databases) {
        credits.push_back(database->credits);
    }
    auto closing = [](const std::string& text) {
        return text.empty() ? std::vector<std::string>() : std::vector<std::string>{text};
    };
    for (const std::string& line :
         CreditLines(headingEnglish, credits, false, closing(closingEnglish))) {
        header.push_back({"info-en", line});
    }
    for (const std::string& line :
         CreditLines(headingGreek, credits, true, closing(closingGreek))) {
        header.push_back({"info-el", line});
    }
}

std::vector<SourceHeaderLine> PairableHeader(const PairableDictionary& d, const Database& fromGreek,
                                             const Database& toGreek) {
    std::string en = d.english;
    std::string el = d.greek;
    std::string code = d.code;
    std::string titleEn = "Greek-" + en + " dictionary";
    std::string titleEl = std::string(d.greekTitle) + " λεξικό";
    std::vector<SourceHeaderLine> header = {
        {"key", d.key},
        {"title-en", titleEn},
        {"title-el", titleEl},
        {"list-en", titleEn},
        {"list-el", titleEl},
        {"descriptor-en", en + ".8@Greek.2"},
        {"descriptor-el", el + ".8@Ελληνικά.2"},
        {"pair-language", en + "@" + el},
        {"pairable", "1"},
        {"format", "2"},
        {"start-word", d.startWord},
        {"phonetic", "System"},
    };
    AddCredits(header, "Greek-" + en + " and " + en + "-Greek dictionary",
               std::string(d.greekTitle) + " και " + d.greekBack + " λεξικό",
               {&fromGreek, &toGreek});
    return header;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "wordmere-freedict: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dataDir = "/usr/share/dictd";
    std::string outDir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            dataDir = argv[++i];
        } else if (argv[i][0] == '-' || !outDir.empty()) {
            return Fail("usage: wordmere-freedict [--data DIR] OUTDIR");
        } else {
            outDir = argv[i];
        }
    }
    if (outDir.empty()) {
        return Fail("usage: wordmere-freedict [--data DIR] OUTDIR");
    }

    std::string error;
    Database greekEnglish, englishGreek;
    if (!LoadDatabase(dataDir, "ell-eng", greekEnglish, error) ||
        !LoadDatabase(dataDir, "eng-ell", englishGreek, error)) {
        return Fail(error);
    }

    DictionarySource greng;
    AddDatabase(greng, greekEnglish);
    AddDatabase(greng, englishGreek);
    // The built-in dictionaries have no trailer of their own; their About lines are stored in
    // one all the same, which only the About dialog reads.
    std::vector<SourceHeaderLine> grengHeader = {{"builtin", ""}};
    // The Greek word-form table that serves GRENG's lookups is made from Debian's hunspell-el
    // (the LibreOffice Greek dictionary by Evripidis Papakostas and Steve Stavropoulos).
    AddCredits(grengHeader, "Greek-English and English-Greek dictionary",
               "Ελληνοαγγλικό και αγγλοελληνικό λεξικό", {&greekEnglish, &englishGreek},
               "Word forms: hunspell-el, MPL 1.1 / GPL 2 / LGPL 2.1",
               "Μορφές λέξεων: hunspell-el, MPL 1.1 / GPL 2 / LGPL 2.1");
    if (!WriteDictionary(outDir, "GRENG", grengHeader, greng, "ell-eng, eng-ell", "ab", error)) {
        return Fail(error);
    }

    DictionarySource thess;
    for (const ThesaurusEntry& entry :
         DeriveThesaurus(greekEnglish.articles, englishGreek.articles)) {
        thess.Add(entry.headword, entry.related);
    }
    std::vector<SourceHeaderLine> thessHeader = {{"builtin", ""}};
    AddCredits(thessHeader, "Greek words that share English translations",
               "Ελληνικές λέξεις με κοινές αγγλικές μεταφράσεις", {&greekEnglish, &englishGreek});
    if (!WriteDictionary(outDir, "THESS", thessHeader, thess,
                         "Greek words sharing English translations in ell-eng, eng-ell", "αβ",
                         error)) {
        return Fail(error);
    }

    for (const PairableDictionary& d : kPairable) {
        Database fromGreek, toGreek;
        std::string code = d.code;
        if (!LoadDatabase(dataDir, "ell-" + code, fromGreek, error) ||
            !LoadDatabase(dataDir, code + "-ell", toGreek, error)) {
            return Fail(error);
        }
        DictionarySource source;
        AddDatabase(source, fromGreek);
        AddDatabase(source, toGreek);
        if (!WriteDictionary(outDir, d.base, PairableHeader(d, fromGreek, toGreek), source,
                             fromGreek.name + ", " + toGreek.name, d.startWord, error)) {
            return Fail(error);
        }
    }
    return 0;
}
