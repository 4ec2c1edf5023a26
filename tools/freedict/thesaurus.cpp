#include "tools/freedict/thesaurus.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "engine/code_pages.h"
#include "tools/freedict/code_page_fit.h"

namespace {

bool IsGreekLetter(char32_t c) {
    return (c >= 0x0386 && c <= 0x03FF) || (c >= 0x1F00 && c <= 0x1FFF);
}

bool IsLatinLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0x24F);
}

// A Greek item of eng-ell that reads as a word or short phrase rather than an explanation.
bool IsPlainGreekPhrase(const std::string& utf8) {
    if (!IsGreekOnlyText(utf8)) {
        return false;
    }
    int words = 1;
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = NextCodePoint(utf8, pos);
        if (c == ' ') {
            ++words;
        } else if (!IsGreekLetter(c) && c != '-' && c != '\'') {
            return false;
        }
    }
    return words <= 3;
}

std::string EnglishKey(const std::string& item) {
    std::string key;
    int depth = 0;
    for (char c : item) {
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (depth == 0) {
            key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        }
    }
    return CleanSpaces(key);
}

struct Builder {
    std::vector<std::string> words;
    std::vector<std::string> partOfSpeech;  // "" when unknown
    std::unordered_map<std::string, int> ids;
    std::map<std::string, std::vector<int>> groups;  // English key -> Greek word ids

    int Id(const std::string& word, const std::string& pos) {
        auto found = ids.find(word);
        if (found != ids.end()) {
            if (partOfSpeech[found->second].empty()) {
                partOfSpeech[found->second] = pos;
            }
            return found->second;
        }
        ids.emplace(word, static_cast<int>(words.size()));
        words.push_back(word);
        partOfSpeech.push_back(pos);
        return static_cast<int>(words.size()) - 1;
    }

    // Whether two words of a group may be related. An English word whose Greek words have
    // different parts of speech has several senses ("fine": γράφω, to fine; ωραίος); through it
    // only words of the same known part of speech are related.
    bool Related(int a, int b, bool severalSenses) const {
        if (partOfSpeech[a].empty() || partOfSpeech[b].empty()) {
            return !severalSenses;
        }
        return partOfSpeech[a] == partOfSpeech[b];
    }

    bool HasSeveralSenses(const std::vector<int>& group) const {
        const std::string* seen = nullptr;
        for (int id : group) {
            if (partOfSpeech[id].empty()) {
                continue;
            }
            if (seen && *seen != partOfSpeech[id]) {
                return true;
            }
            seen = &partOfSpeech[id];
        }
        return false;
    }

    void Relate(const std::string& english, int greek) {
        std::string key = EnglishKey(english);
        if (key.empty()) {
            return;
        }
        std::vector<int>& group = groups[key];
        if (std::find(group.begin(), group.end(), greek) == group.end()) {
            group.push_back(greek);
        }
    }
};

}  // namespace

bool IsGreekOnlyText(const std::string& utf8) {
    bool greek = false;
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = NextCodePoint(utf8, pos);
        if (IsLatinLetter(c)) {
            return false;
        }
        if (IsGreekLetter(c)) {
            greek = true;
        }
    }
    return greek;
}

std::string FoldForComparison(const std::string& utf8) {
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = NextCodePoint(utf8, pos);
        if (c >= 'A' && c <= 'Z') {
            c += 32;
        }
        if (c >= 0x0391 && c <= 0x03AB) {
            c += 0x20;  // capitals, Ϊ and Ϋ
        }
        switch (c) {
            case 0x0386:
            case 0x03AC:
                c = 0x03B1;
                break;
            case 0x0388:
            case 0x03AD:
                c = 0x03B5;
                break;
            case 0x0389:
            case 0x03AE:
                c = 0x03B7;
                break;
            case 0x038A:
            case 0x0390:
            case 0x03AF:
            case 0x03CA:
                c = 0x03B9;
                break;
            case 0x038C:
            case 0x03CC:
                c = 0x03BF;
                break;
            case 0x038E:
            case 0x03B0:
            case 0x03CB:
            case 0x03CD:
                c = 0x03C5;
                break;
            case 0x038F:
            case 0x03CE:
                c = 0x03C9;
                break;
            case 0x03C2:
                c = 0x03C3;
                break;
        }
        AppendUtf8(c, &out);
    }
    return out;
}

std::vector<ThesaurusEntry> DeriveThesaurus(const std::vector<MappedArticle>& greekEnglish,
                                            const std::vector<MappedArticle>& englishGreek) {
    Builder builder;
    for (const MappedArticle& article : greekEnglish) {
        for (const std::string& headword : article.headwords) {
            if (!IsGreekOnlyText(headword)) {
                continue;
            }
            int id = builder.Id(headword, article.partOfSpeech);
            for (const std::string& item : article.items) {
                builder.Relate(item, id);
            }
        }
    }
    for (const MappedArticle& article : englishGreek) {
        for (const std::string& item : article.items) {
            if (!IsPlainGreekPhrase(item)) {
                continue;
            }
            int id = builder.Id(item, "");
            for (const std::string& headword : article.headwords) {
                builder.Relate(headword, id);
            }
        }
    }

    struct Group {
        const std::vector<int>* words;
        bool severalSenses;
    };
    std::vector<std::vector<Group>> groupsOf(builder.words.size());
    for (const auto& group : builder.groups) {
        if (group.second.size() < 2 || group.second.size() > kMaxGroup) {
            continue;
        }
        Group g{&group.second, builder.HasSeveralSenses(group.second)};
        for (int id : group.second) {
            groupsOf[id].push_back(g);
        }
    }
    std::vector<std::string> folded(builder.words.size());
    for (size_t i = 0; i < builder.words.size(); ++i) {
        folded[i] = FoldForComparison(builder.words[i]);
    }

    std::vector<ThesaurusEntry> entries;
    std::unordered_map<int, double> score;
    for (size_t id = 0; id < builder.words.size(); ++id) {
        score.clear();
        for (const Group& group : groupsOf[id]) {
            double weight = 1.0 / static_cast<double>(group.words->size() - 1);
            for (int other : *group.words) {
                if (folded[other] != folded[id] &&
                    builder.Related(int(id), other, group.severalSenses)) {
                    score[other] += weight;
                }
            }
        }
        if (score.empty()) {
            continue;
        }
        std::vector<std::pair<double, int>> ranked;
        for (const auto& s : score) {
            ranked.push_back({-s.second, s.first});
        }
        std::sort(ranked.begin(), ranked.end());
        ThesaurusEntry entry{builder.words[id], {}};
        std::vector<std::string> seen;
        for (const auto& r : ranked) {
            if (entry.related.size() == kMaxRelated) {
                break;
            }
            if (std::find(seen.begin(), seen.end(), folded[r.second]) != seen.end()) {
                continue;
            }
            seen.push_back(folded[r.second]);
            entry.related.push_back(builder.words[r.second]);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}
