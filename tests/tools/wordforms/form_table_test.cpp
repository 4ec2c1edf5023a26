#include "tools/wordforms/form_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/code_pages.h"
#include "tools/wordforms/greek_inflection.h"

namespace {

std::string Stored(const std::string& utf8) {
    std::string out;
    EncodeError error;
    EXPECT_TRUE(Utf8ToStored(utf8, &out, &error)) << utf8;
    return out;
}

std::string Utf8(const std::string& stored) {
    return StoredToUtf8As(stored.c_str(), CodePage::kWindows1253);
}

std::vector<std::string> StoredWords(const std::vector<std::string>& utf8) {
    std::vector<std::string> out;
    for (const std::string& word : utf8) {
        out.push_back(Stored(word));
    }
    return out;
}

// The headwords of the table under test and the word list that attests their forms, with
// words that look like forms of them but are not attested, or are other words.
const std::vector<std::string> kHeadwords = {
    "λόγος",   "άνθρωπος", "οδός",    "δάσος",   "καλός",     "ωραίος",    "ωραία",     "γλυκός",
    "πατέρας", "καφές",    "παππούς", "θάλασσα", "θέση",      "φοιτητής",  "σπίτι",     "βουνό",
    "γράμμα",  "πλύσιμο",  "ακριβής", "γράφω",   "αγοράζω",   "ανοίγω",    "δουλεύω",   "τελειώνω",
    "κρίνω",   "ακούω",    "αγαπάω",  "οδηγώ",   "σκέφτομαι", "φοβάμαι",   "θεωρούμαι", "παίρνω",
    "βλέπω",   "είδος",    "πηγαίνω", "γυναίκα", "αλεπού",    "επιστρέφω", "ζητάω",     "ζήτω",
    "χώρα",    "χώρος",    "χωράω",   "άσπρος",  "άσπρο",
};

const std::vector<std::string> kAttested = {
    "λόγου",
    "λόγο",
    "λόγοι",
    "λόγων",
    "λόγους",
    "ανθρώπου",
    "άνθρωπο",
    "ανθρώπων",
    "ανθρώπους",
    "οδού",
    "οδών",
    "δάσους",
    "δάση",
    "δασών",
    "καλή",
    "καλής",
    "καλό",
    "καλού",
    "καλοί",
    "καλές",
    "καλά",
    "καλύτερος",
    "καλύτερη",
    "ωραίας",
    "ωραίου",
    "ωραιότερος",
    "γλυκιά",
    "γλυκιές",
    "πατέρα",
    "πατέρες",
    "πατεράδες",
    "καφέ",
    "καφέδες",
    "παππού",
    "παππούδες",
    "θάλασσας",
    "θάλασσες",
    "θαλασσών",
    "θέσης",
    "θέσεις",
    "θέσεων",
    "φοιτητή",
    "φοιτητές",
    "φοιτητών",
    "σπιτιού",
    "σπίτια",
    "σπιτιών",
    "βουνού",
    "βουνά",
    "βουνών",
    "γράμματος",
    "γράμματα",
    "γραμμάτων",
    "πλυσίματος",
    "πλυσίματα",
    "ακριβούς",
    "ακριβείς",
    "ακριβές",
    "γράφεις",
    "αγοράζεις",
    "ανοίγει",
    "δουλεύει",
    "τελειώνει",
    "κρίνει",
    "ακούει",
    "θεωρούμαι",
    "γράφουμε",
    "έγραφα",
    "γράφαμε",
    "έγραψα",
    "γράψαμε",
    "γράψω",
    "γράψε",
    "γράφτηκε",
    "γράφεται",
    "γραμμένος",
    "αγόρασα",
    "αγοράσαμε",
    "αγοράστηκε",
    "αγορασμένο",
    "άνοιξα",
    "ανοίξω",
    "ανοίχτηκε",
    "ανοιγμένη",
    "δούλεψα",
    "δουλέψαμε",
    "δουλεύτηκε",
    "τελείωσα",
    "τελειώθηκε",
    "τελειωμένος",
    "έκρινα",
    "κρίθηκε",
    "άκουσα",
    "ακούστηκε",
    "αγαπάς",
    "αγαπούσα",
    "αγάπησα",
    "αγαπήθηκε",
    "αγαπιέται",
    "αγαπημένος",
    "οδηγείς",
    "οδηγούσε",
    "οδήγησα",
    "οδηγήθηκε",
    "σκέφτεσαι",
    "σκεφτόμουν",
    "σκέφτηκα",
    "φοβάσαι",
    "φοβάται",
    "φοβόταν",
    "φοβήθηκα",
    "θεωρείται",
    "θεωρήθηκε",
    "γυναίκες",
    "επιστρέφει",
    "επέστρεψα",
    "ζητάς",
    "ζητεί",
    "ζήτησα",
    "χώρας",
    "χωράς",
    "χώρες",
    "χώρου",
    "άσπρη",
    "άσπρα",
    "αλεπούδες",
    // Attested words that the rules must not take as forms of these headwords.
    "γραφή",
    "αγορά",
    "δουλειά",
    "θεσμός",
};

// The headwords with the translations that tell an adjective's neuter (άσπρο, white) from a
// word of its own (χώρα, country; χώρος, space).
std::vector<SourceHeadword> Headwords() {
    const std::map<std::string, std::vector<std::string>> translations = {
        {"άσπρος", {"white"}},
        {"άσπρο", {"white", "whiteness"}},
        {"χώρα", {"country"}},
        {"χώρος", {"space"}},
    };
    std::vector<SourceHeadword> headwords;
    for (const std::string& word : kHeadwords) {
        auto found = translations.find(word);
        headwords.push_back({Stored(word), found == translations.end()
                                               ? std::vector<std::string>{"x"}
                                               : found->second});
    }
    return headwords;
}

std::vector<IrregularForms> Irregular() {
    std::vector<IrregularForms> table;
    std::string error;
    EXPECT_TRUE(
        ReadIrregularTable("# comment\n\n"
                           "παίρνω: πήρα πήραμε πάρω\n"
                           "βλέπω: είδα δω\n"
                           "πηγαίνω|πάω: πήγα πάμε\n"
                           "λέω: είπα\n",  // not a headword here: left out
                           &table, &error))
        << error;
    return table;
}

std::vector<std::string> LemmasOf(const std::vector<WordFormEntry>& entries,
                                  const std::string& form) {
    for (const WordFormEntry& entry : entries) {
        if (entry.form == Stored(form)) {
            std::vector<std::string> lemmas;
            for (const std::string& lemma : entry.lemmas) {
                lemmas.push_back(Utf8(lemma));
            }
            return lemmas;
        }
    }
    return {};
}

}  // namespace

TEST(FormTableTest, RulesFindTheAttestedFormsOfEachHeadword) {
    std::vector<WordFormEntry> entries =
        BuildFormEntries(Headwords(), StoredWords(kAttested), Irregular());
    struct Case {
        const char* form;
        std::vector<std::string> lemmas;  // best first
    };
    const std::vector<Case> cases = {
        // Nouns by ending and gender; the accent moves where the list says it does.
        {"λόγου", {"λόγος"}},
        {"λόγους", {"λόγος"}},
        {"ανθρώπου", {"άνθρωπος"}},
        {"ανθρώπους", {"άνθρωπος"}},
        {"οδού", {"οδός"}},
        {"δάσους", {"δάσος"}},
        {"δασών", {"δάσος"}},
        {"πατεράδες", {"πατέρας"}},
        {"καφέδες", {"καφές"}},
        {"παππούδες", {"παππούς"}},
        {"θαλασσών", {"θάλασσα"}},
        {"θέσεις", {"θέση"}},
        {"φοιτητές", {"φοιτητής"}},
        {"σπιτιού", {"σπίτι"}},
        {"βουνά", {"βουνό"}},
        {"γραμμάτων", {"γράμμα"}},
        {"πλυσίματος", {"πλύσιμο"}},
        {"γυναίκες", {"γυναίκα"}},
        {"αλεπούδες", {"αλεπού"}},
        // Adjectives, their comparatives; a feminine headword gives way to its masculine.
        {"καλής", {"καλός"}},
        {"καλύτερη", {"καλός"}},
        {"ωραίας", {"ωραίος", "ωραία"}},
        {"ωραιότερος", {"ωραίος"}},
        {"γλυκιές", {"γλυκός"}},
        {"ακριβούς", {"ακριβής"}},
        {"ακριβείς", {"ακριβής"}},
        // Verbs: present, imperfect and aorist with and without the augment, subjunctive,
        // imperative, passive present and aorist, participle.
        {"γράφεις", {"γράφω"}},
        {"έγραφα", {"γράφω"}},
        {"έγραψα", {"γράφω"}},
        {"γράψαμε", {"γράφω"}},
        {"γράψω", {"γράφω"}},
        {"γράψε", {"γράφω"}},
        {"γράφτηκε", {"γράφω"}},
        {"γράφεται", {"γράφω"}},
        {"γραμμένος", {"γράφω"}},
        {"αγόρασα", {"αγοράζω"}},
        {"αγοράστηκε", {"αγοράζω"}},
        {"αγορασμένο", {"αγοράζω"}},
        {"άνοιξα", {"ανοίγω"}},
        {"ανοίχτηκε", {"ανοίγω"}},
        {"ανοιγμένη", {"ανοίγω"}},
        {"δουλέψαμε", {"δουλεύω"}},
        {"δουλεύτηκε", {"δουλεύω"}},
        {"τελείωσα", {"τελειώνω"}},
        {"τελειώθηκε", {"τελειώνω"}},
        {"τελειωμένος", {"τελειώνω"}},
        {"έκρινα", {"κρίνω"}},
        {"άκουσα", {"ακούω"}},
        {"ακούστηκε", {"ακούω"}},
        {"αγαπούσα", {"αγαπάω"}},
        {"αγάπησα", {"αγαπάω"}},
        {"αγαπήθηκε", {"αγαπάω"}},
        {"αγαπιέται", {"αγαπάω"}},
        {"οδηγείς", {"οδηγώ"}},
        {"οδήγησα", {"οδηγώ"}},
        {"οδηγήθηκε", {"οδηγώ"}},
        {"σκέφτεσαι", {"σκέφτομαι"}},
        {"σκεφτόμουν", {"σκέφτομαι"}},
        {"σκέφτηκα", {"σκέφτομαι"}},
        {"φοβόταν", {"φοβάμαι"}},
        {"φοβήθηκα", {"φοβάμαι"}},
        {"θεωρείται", {"θεωρούμαι"}},
        {"θεωρήθηκε", {"θεωρούμαι"}},
        // Learned compounds take the augment after their prefix.
        {"επέστρεψα", {"επιστρέφω"}},
        // A word in -ω is a verb only when its present is attested with its accent (ζητεί
        // belongs to ζητάω, not to ζήτω); a form keeps its headword's accent before another's
        // (χώρας, χωράς); feminine forms of a word in -ος with no comparative come after those
        // of a feminine noun.
        {"ζήτησα", {"ζητάω"}},
        {"χώρας", {"χώρα", "χωράω"}},
        {"χώρες", {"χώρα", "χώρος"}},
        {"χώρου", {"χώρος"}},
        // ... unless the two share a translation: then the feminine and neuter forms are the
        // adjective's.
        {"άσπρα", {"άσπρος", "άσπρο"}},
        {"άσπρη", {"άσπρος"}},
        // The irregular table comes before the rules (είδα reads as a form of είδος too), and
        // uses the first spelling that is a headword.
        {"πήρα", {"παίρνω"}},
        {"πάρω", {"παίρνω"}},
        {"είδα", {"βλέπω"}},
        {"πήγα", {"πηγαίνω"}},
        // Limits: only attested forms, never a headword as its own form, no irregular forms
        // of a word the dictionary lacks, other words that only begin alike stay out.
        {"γράφοντας", {}},
        {"λόγος", {}},
        {"είπα", {}},
        {"γραφή", {}},
        {"αγορά", {}},
        {"δουλειά", {}},
        {"θεσμός", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lemmas = LemmasOf(entries, c.form);
        if (c.lemmas.empty()) {
            EXPECT_TRUE(lemmas.empty()) << c.form << " → " << (lemmas.empty() ? "" : lemmas[0]);
        } else {
            ASSERT_FALSE(lemmas.empty()) << c.form;
            EXPECT_EQ(
                std::vector<std::string>(lemmas.begin(),
                                         lemmas.begin() + std::min(lemmas.size(), c.lemmas.size())),
                c.lemmas)
                << c.form;
        }
    }
}

TEST(FormTableTest, TheWordListKeepsLowerCaseGreekWordsOnly) {
    // ISO 8859-7: the count line, a proper name with Ά (0xB6 there), a Latin word, CR LF.
    std::string list = "3\n\xB6\xE3\xE3\xEB\xEF\xF2\nabc\n\xEB\xFC\xE3\xEF\xF5\r\n";
    EXPECT_EQ(ReadAttestedForms(list), StoredWords({"λόγου"}));
}

TEST(FormTableTest, TheIrregularTableRejectsWhatItCannotRead) {
    for (const char* bad :
         {"παίρνω πήρα\n", "παίρνω:\n", ": πήρα\n", "Παίρνω: πήρα\n", "take: took\n"}) {
        std::vector<IrregularForms> table;
        std::string error;
        EXPECT_FALSE(ReadIrregularTable(bad, &table, &error)) << bad;
        EXPECT_NE(error.find("line 1"), std::string::npos) << bad;
    }
}

TEST(FormTableTest, SourceHeadwordsAreTheLowerCaseGreekWords) {
    std::string source =
        "# comment\n@builtin\nλόγος\tword\nΑθήνα\tAthens\nκαλή όρεξη\tbon appetit\n"
        "house\tσπίτι\nγράφω\twrite\n";
    std::vector<SourceHeadword> headwords = ReadSourceHeadwords(source);
    ASSERT_EQ(headwords.size(), 2u);
    EXPECT_EQ(headwords[0].headword, Stored("λόγος"));
    EXPECT_EQ(headwords[0].translations, std::vector<std::string>{"word"});
    EXPECT_EQ(headwords[1].headword, Stored("γράφω"));
}
