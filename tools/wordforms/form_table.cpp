#include "tools/wordforms/form_table.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <unordered_map>

#include "engine/code_pages.h"
#include "tools/wordforms/greek_inflection.h"

namespace {

// Lower-case Greek letters of Windows-1253 (ά..ώ and ΐ, ΰ); ISO 8859-7 has them at the same
// bytes, which lets the word list be read without converting it.
bool IsLowerGreekByte(unsigned char c) {
    return (c >= 0xDC && c <= 0xFE) || c == 0xC0 || c == 0xE0;
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        words.push_back(word);
    }
    return words;
}

std::string Stored(const char* utf8) {
    std::string out;
    EncodeError error;
    Utf8ToStored(utf8, &out, &error);
    return out;
}

size_t SharedBeginning(const std::string& a, const std::string& b) {
    size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) {
        ++n;
    }
    return n;
}

// Where the accent falls, counted from the word's start; npos for a word without one.
// Where the accent falls: the number of consonants before the accented vowel, which counts
// syllables whatever vowel pairs they hold (οδηγώ and οδηγείς: 2); npos without an accent.
size_t AccentPosition(const std::string& word) {
    static const std::string vowels = Stored("αεηιουωάέήίόύώϊϋΐΰ");
    static const char finalSigma = Stored("ς")[0];
    std::string key = AccentlessKey(word);
    size_t consonants = 0;
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] != key[i] && word[i] != finalSigma) {
            return consonants;
        }
        if (vowels.find(word[i]) == std::string::npos) {
            ++consonants;
        }
    }
    return std::string::npos;
}

struct Candidate {
    std::string headword;
    bool irregular = false;
    bool weak = false;           // made by rules the headword shows no sign of following
    bool formOfAnother = false;  // the headword is itself a form of another candidate
    size_t paradigm = 0;         // how many forms the headword has in the table
    size_t shared = 0;
    bool sameAccent = false;
};

bool Better(const Candidate& a, const Candidate& b) {
    if (a.irregular != b.irregular) {
        return a.irregular;
    }
    if (a.weak != b.weak) {
        return b.weak;
    }
    if (a.formOfAnother != b.formOfAnother) {
        return b.formOfAnother;
    }
    // Accentless matching lets χώρας (of χώρα) read as χωράς (of χωράω) too; a form keeps the
    // accent of its headword more often than not.
    if (a.sameAccent != b.sameAccent) {
        return a.sameAccent;
    }
    // A word with many attested forms is a commoner word than one with a few.
    if (a.paradigm != b.paradigm) {
        return a.paradigm > b.paradigm;
    }
    if (a.shared != b.shared) {
        return a.shared > b.shared;
    }
    return a.headword < b.headword;
}

}  // namespace

bool IsLowerGreekWord(const std::string& word) {
    if (word.empty()) {
        return false;
    }
    for (unsigned char c : word) {
        if (!IsLowerGreekByte(c)) {
            return false;
        }
    }
    return true;
}

bool ReadIrregularTable(const std::string& utf8, std::vector<IrregularForms>* table,
                        std::string* error) {
    std::istringstream in(utf8);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') {
            continue;
        }
        std::string stored;
        EncodeError encodeError;
        size_t colon = line.find(':');
        if (colon == std::string::npos || !Utf8ToStored(line, &stored, &encodeError)) {
            *error = "line " + std::to_string(number) + ": expected \"headword: forms\"";
            return false;
        }
        colon = stored.find(':');
        IrregularForms entry;
        std::string heads = stored.substr(0, colon);
        std::replace(heads.begin(), heads.end(), '|', ' ');
        entry.headwords = SplitWords(heads);
        entry.forms = SplitWords(stored.substr(colon + 1));
        bool good = !entry.headwords.empty() && !entry.forms.empty();
        for (const std::vector<std::string>* words : {&entry.headwords, &entry.forms}) {
            for (const std::string& word : *words) {
                good = good && IsLowerGreekWord(word);
            }
        }
        if (!good) {
            *error = "line " + std::to_string(number) + ": not lower-case Greek words";
            return false;
        }
        table->push_back(std::move(entry));
    }
    return true;
}

std::vector<SourceHeadword> ReadSourceHeadwords(const std::string& utf8) {
    std::vector<SourceHeadword> headwords;
    std::istringstream in(utf8);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line[0] == '@') {
            continue;
        }
        std::string stored;
        EncodeError error;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::istringstream fields(line);
        std::string field;
        std::getline(fields, field, '\t');
        if (!Utf8ToStored(field, &stored, &error) || !IsLowerGreekWord(stored)) {
            continue;
        }
        SourceHeadword entry;
        entry.headword = stored;
        while (std::getline(fields, field, '\t')) {
            entry.translations.push_back(field);
        }
        headwords.push_back(std::move(entry));
    }
    return headwords;
}

std::vector<std::string> ReadAttestedForms(const std::string& iso88597) {
    std::vector<std::string> forms;
    std::istringstream in(iso88597);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (IsLowerGreekWord(line)) {
            forms.push_back(line);
        }
    }
    return forms;
}

std::vector<WordFormEntry> BuildFormEntries(const std::vector<SourceHeadword>& headwords,
                                            const std::vector<std::string>& attested,
                                            const std::vector<IrregularForms>& irregular) {
    std::unordered_map<std::string, std::vector<std::string>> byKey;
    for (const std::string& form : attested) {
        std::vector<std::string>& forms = byKey[AccentlessKey(form)];
        if (std::find(forms.begin(), forms.end(), form) == forms.end()) {
            forms.push_back(form);
        }
    }
    std::set<std::string> known;
    std::map<std::string, std::set<std::string>> translations;
    for (const SourceHeadword& entry : headwords) {
        known.insert(entry.headword);
        translations[entry.headword].insert(entry.translations.begin(), entry.translations.end());
    }
    // άσπρο (white) is the neuter of άσπρος (white); χώρα (country) no feminine of χώρος
    // (space): headwords one makes of the other that share a translation are one word.
    auto sameWord = [&](const std::string& a, const std::string& b) {
        const std::set<std::string>& first = translations[a];
        for (const std::string& translation : translations[b]) {
            if (first.count(translation) != 0) {
                return true;
            }
        }
        return false;
    };

    // Which headwords the rules make from another headword (ωραία from ωραίος), attested or
    // not: a form of both is better shown as a form of the one the other comes from.
    std::unordered_map<std::string, std::vector<std::string>> headwordsByKey;
    for (const std::string& headword : known) {
        headwordsByKey[AccentlessKey(headword)].push_back(headword);
    }
    std::map<std::string, std::set<std::string>> madeFrom;

    std::map<std::string, std::vector<Candidate>> candidates;
    std::map<std::string, size_t> paradigms;
    auto add = [&](const std::string& form, const std::string& headword, bool fromTable,
                   bool weak) {
        // A headword is no form of itself, nor of its spelling with another accent (φιλος).
        if (AccentlessKey(form) == AccentlessKey(headword)) {
            return;
        }
        std::vector<Candidate>& list = candidates[form];
        for (Candidate& c : list) {
            if (c.headword == headword) {
                c.irregular = c.irregular || fromTable;
                c.weak = c.weak && weak;
                return;
            }
        }
        ++paradigms[headword];
        Candidate c;
        c.headword = headword;
        c.irregular = fromTable;
        c.weak = weak;
        c.shared = SharedBeginning(AccentlessKey(form), AccentlessKey(headword));
        c.sameAccent = AccentPosition(form) == AccentPosition(headword);
        list.push_back(c);
    };

    for (const std::string& headword : known) {
        for (CandidateGroup& group : CandidateGroups(headword)) {
            // A verb's present shows its accent where the headword has it: ζητεί is no sign
            // that ζήτω is a verb like γράφω.
            bool shown = group.evidence.empty();
            for (const std::string& key : group.evidence) {
                auto found = byKey.find(key);
                if (found == byKey.end()) {
                    continue;
                }
                for (const std::string& form : found->second) {
                    shown = shown || !group.dropWithoutEvidence ||
                            AccentPosition(form) == AccentPosition(headword);
                }
            }
            if (!shown && group.dropWithoutEvidence) {
                continue;
            }
            std::sort(group.keys.begin(), group.keys.end());
            group.keys.erase(std::unique(group.keys.begin(), group.keys.end()), group.keys.end());
            for (const std::string& key : group.keys) {
                auto other = headwordsByKey.find(key);
                if (shown || other == headwordsByKey.end()) {
                    continue;
                }
                for (const std::string& made : other->second) {
                    shown = shown || (made != headword && sameWord(made, headword));
                }
            }
            for (const std::string& key : group.keys) {
                auto other = headwordsByKey.find(key);
                if (shown && other != headwordsByKey.end()) {
                    // χώρα is no form of χωράω (χωρά): the accent must fall alike, unless the
                    // headword is longer, as a comparative or participle is (ωραιότερος).
                    for (const std::string& made : other->second) {
                        if (AccentPosition(made) == AccentPosition(headword) ||
                            made.size() > headword.size()) {
                            madeFrom[made].insert(headword);
                        }
                    }
                }
                auto found = byKey.find(key);
                if (found == byKey.end()) {
                    continue;
                }
                for (const std::string& form : found->second) {
                    add(form, headword, false, !shown);
                }
            }
        }
    }
    for (const IrregularForms& entry : irregular) {
        for (const std::string& headword : entry.headwords) {
            if (known.count(headword) != 0) {
                for (const std::string& form : entry.forms) {
                    add(form, headword, true, false);
                }
                break;
            }
        }
    }

    // ωραίας is a form of ωραία and of ωραίος, and ωραία itself a form of ωραίος: the word
    // that both lead to is the better answer.
    for (auto& [form, list] : candidates) {
        for (Candidate& c : list) {
            c.paradigm = paradigms[c.headword];
            auto parents = madeFrom.find(c.headword);
            if (parents == madeFrom.end()) {
                continue;
            }
            for (const Candidate& other : list) {
                c.formOfAnother = c.formOfAnother || (other.headword != c.headword &&
                                                      parents->second.count(other.headword) != 0);
            }
        }
    }

    std::vector<WordFormEntry> entries;
    for (auto& [form, list] : candidates) {
        std::sort(list.begin(), list.end(), Better);
        WordFormEntry entry;
        entry.form = form;
        for (const Candidate& c : list) {
            entry.lemmas.push_back(c.headword);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}
