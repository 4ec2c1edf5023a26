#include "engine/sound_key.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/code_pages.h"
#include "engine/folding.h"

namespace {

// Windows-1253 lower-case letters, unaccented.
constexpr unsigned char kAlpha = 0xE1, kBeta = 0xE2, kGamma = 0xE3, kDelta = 0xE4, kEpsilon = 0xE5,
                        kZeta = 0xE6, kEta = 0xE7, kTheta = 0xE8, kIota = 0xE9, kKappa = 0xEA,
                        kLambda = 0xEB, kMu = 0xEC, kNu = 0xED, kXi = 0xEE, kOmicron = 0xEF,
                        kPi = 0xF0, kRho = 0xF1, kSigma = 0xF3, kTau = 0xF4, kUpsilon = 0xF5,
                        kPhi = 0xF6, kChi = 0xF7, kPsi = 0xF8, kOmega = 0xF9;
// Letters with a dialytika (with and without the accent), lower and upper case.
bool HasDialytika(unsigned char c) {
    return c == 0xFA || c == 0xFB || c == 0xC0 || c == 0xE0 || c == 0xDA || c == 0xDB;
}

bool IsVoiceless(unsigned char folded) {
    return folded == kTheta || folded == kKappa || folded == kXi || folded == kPi ||
           folded == kSigma || folded == kTau || folded == kPhi || folded == kChi || folded == kPsi;
}

bool IsConsonantKey(char c) {
    return c != 'a' && c != 'e' && c != 'i' && c != 'o' && c != 'u' && c != ' ';
}

// Doubled consonants count once.
std::string CollapseDoubles(const std::string& key) {
    std::string out;
    for (char c : key) {
        if (!out.empty() && out.back() == c && IsConsonantKey(c)) {
            continue;
        }
        out.push_back(c);
    }
    return out;
}

const char* SingleLetterKey(unsigned char folded) {
    switch (folded) {
        case kAlpha:
            return "a";
        case kBeta:
            return "v";
        case kGamma:
            return "y";
        case kDelta:
            return "D";
        case kEpsilon:
            return "e";
        case kZeta:
            return "z";
        case kEta:
        case kIota:
        case kUpsilon:
            return "i";
        case kTheta:
            return "8";
        case kKappa:
            return "k";
        case kLambda:
            return "l";
        case kMu:
            return "m";
        case kNu:
            return "n";
        case kXi:
            return "ks";
        case kOmicron:
        case kOmega:
            return "o";
        case kPi:
            return "p";
        case kRho:
            return "r";
        case kSigma:
            return "s";
        case kTau:
            return "t";
        case kPhi:
            return "f";
        case kChi:
            return "h";
        case kPsi:
            return "ps";
        default:
            return "";
    }
}

}  // namespace

std::string GreekSoundKey(const std::string& stored) {
    size_t n = stored.size();
    std::vector<unsigned char> folded(n);
    std::vector<bool> accented(n);
    // A dialytika keeps the letter out of a digraph, and so does an accent on the letter
    // before it ("τσάι", "κορόιδο"): both say the two vowels are heard apart.
    std::vector<bool> apart(n);
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(stored[i]);
        folded[i] = FoldGreekChar(c);
        accented[i] = LowerGreekChar(c) != folded[i] && folded[i] != kSigma;
        apart[i] = HasDialytika(c) || (i > 0 && accented[i - 1] && !accented[i]);
    }
    std::string key;
    size_t i = 0;
    while (i < n) {
        unsigned char c = folded[i];
        unsigned char next = i + 1 < n ? folded[i + 1] : 0;
        bool nextJoins = i + 1 < n && !apart[i + 1];
        if (c == ' ') {
            key.push_back(' ');
            ++i;
        } else if ((c == kEpsilon || c == kOmicron || c == kUpsilon) && next == kIota &&
                   nextJoins) {
            key.push_back('i');
            i += 2;
        } else if (c == kAlpha && next == kIota && nextJoins) {
            key.push_back('e');
            i += 2;
        } else if (c == kOmicron && next == kUpsilon && nextJoins) {
            key.push_back('u');
            i += 2;
        } else if ((c == kAlpha || c == kEpsilon || c == kEta) && next == kUpsilon && nextJoins) {
            key.push_back(c == kAlpha ? 'a' : c == kEpsilon ? 'e' : 'i');
            unsigned char after = i + 2 < n ? folded[i + 2] : 0;
            bool voiceless = after == 0 || after == ' ' || IsVoiceless(after);
            key.push_back(voiceless ? 'f' : 'v');
            i += 2;
        } else if ((c == kGamma && (next == kGamma || next == kKappa)) ||
                   (c == kNu && next == kGamma)) {
            key.push_back('g');
            i += 2;
        } else if (c == kNu && next == kTau) {
            key.push_back('d');
            i += 2;
        } else if (c == kMu && next == kPi) {
            key.push_back('b');
            i += 2;
        } else {
            key += SingleLetterKey(c);
            ++i;
        }
    }
    return CollapseDoubles(key);
}

namespace {

// One reading of a piece of Latin text: the piece and the keys it may give, the likelier
// first.
struct GreeklishRule {
    const char* latin;
    const char* keys[2];
    const char* greek;  // UTF-8
};

// Longer pieces first, so that a digraph is read before its letters. The last field is the
// piece's most literal Greek spelling (w is ω, o is ο, h is η, y is υ), which ranks the
// headwords of one key by how closely they are spelt.
const GreeklishRule kGreeklishRules[] = {
    {"th", {"8", nullptr}, "θ"},   {"dh", {"D", nullptr}, "δ"},   {"ch", {"h", nullptr}, "χ"},
    {"kh", {"h", nullptr}, "χ"},   {"ps", {"ps", nullptr}, "ψ"},  {"ks", {"ks", nullptr}, "ξ"},
    {"ph", {"f", nullptr}, "φ"},   {"ou", {"u", nullptr}, "ου"},  {"oy", {"u", nullptr}, "ου"},
    {"ei", {"i", nullptr}, "ει"},  {"oi", {"i", "oi"}, "οι"},     {"yi", {"i", nullptr}, "υι"},
    {"ui", {"i", nullptr}, "υι"},  {"ai", {"e", "ai"}, "αι"},     {"mp", {"b", nullptr}, "μπ"},
    {"nt", {"d", nullptr}, "ντ"},  {"gg", {"g", nullptr}, "γγ"},  {"gk", {"g", nullptr}, "γκ"},
    {"ng", {"g", nullptr}, "γγ"},  {"au", {"av", nullptr}, "αυ"}, {"eu", {"ev", nullptr}, "ευ"},
    {"ay", {"av", nullptr}, "αυ"}, {"ey", {"ev", nullptr}, "ευ"}, {"a", {"a", nullptr}, "α"},
    {"b", {"v", "b"}, "μπ"},       {"c", {"k", "s"}, "κ"},        {"d", {"D", "d"}, "δ"},
    {"e", {"e", nullptr}, "ε"},    {"f", {"f", nullptr}, "φ"},    {"g", {"y", "g"}, "γ"},
    {"h", {"i", "h"}, "η"},        {"i", {"i", nullptr}, "ι"},    {"j", {"y", nullptr}, "γ"},
    {"k", {"k", nullptr}, "κ"},    {"l", {"l", nullptr}, "λ"},    {"m", {"m", nullptr}, "μ"},
    {"n", {"n", nullptr}, "ν"},    {"o", {"o", nullptr}, "ο"},    {"p", {"p", nullptr}, "π"},
    {"q", {"k", nullptr}, "κ"},    {"r", {"r", nullptr}, "ρ"},    {"s", {"s", nullptr}, "σ"},
    {"t", {"t", nullptr}, "τ"},    {"u", {"i", "u"}, "υ"},        {"v", {"v", nullptr}, "β"},
    {"w", {"o", nullptr}, "ω"},    {"x", {"h", "ks"}, "χ"},       {"y", {"i", "y"}, "υ"},
    {"z", {"z", nullptr}, "ζ"},    {"8", {"8", nullptr}, "θ"},    {"3", {"ks", nullptr}, "ξ"},
    {" ", {" ", nullptr}, " "},
};

bool IsLatinVoiceless(char c) {
    return strchr("cfhkpqstx8", c) != nullptr;
}

// The Latin word folded, with only the characters Greeklish uses; empty when it has no letter.
std::string GreeklishWord(const std::string& stored) {
    std::string word;
    bool hasLetter = false;
    for (unsigned char c : stored) {
        unsigned char folded = FoldLatinChar(c);
        if ((folded >= 'a' && folded <= 'z') || folded == '8' || folded == '3' || folded == ' ') {
            word.push_back(static_cast<char>(folded));
            hasLetter = hasLetter || (folded >= 'a' && folded <= 'z');
        }
    }
    return hasLetter ? word : std::string();
}

const GreeklishRule* GreeklishRuleAt(const std::string& word, size_t i) {
    for (const GreeklishRule& candidate : kGreeklishRules) {
        if (word.compare(i, strlen(candidate.latin), candidate.latin) == 0) {
            return &candidate;
        }
    }
    return nullptr;
}

}  // namespace

std::string GreeklishLetters(const std::string& stored) {
    std::string word = GreeklishWord(stored);
    std::string utf8;
    size_t i = 0;
    while (i < word.size()) {
        const GreeklishRule* rule = GreeklishRuleAt(word, i);
        if (rule) {
            utf8 += rule->greek;
            i += strlen(rule->latin);
        } else {
            ++i;
        }
    }
    std::string letters;
    EncodeError error;
    Utf8ToStored(utf8, &letters, &error);
    return letters;
}

std::vector<std::string> GreeklishSoundKeys(const std::string& stored) {
    std::string word = GreeklishWord(stored);
    if (word.empty()) {
        return {};
    }
    std::vector<std::string> keys = {""};
    size_t i = 0;
    while (i < word.size()) {
        const GreeklishRule* rule = GreeklishRuleAt(word, i);
        if (!rule) {
            ++i;
            continue;
        }
        size_t length = strlen(rule->latin);
        std::string first = rule->keys[0];
        // "au" and "eu" sound f before a voiceless letter or at the end, as in Greek.
        if (first == "av" || first == "ev") {
            size_t after = i + length;
            if (after >= word.size() || word[after] == ' ' || IsLatinVoiceless(word[after])) {
                first[1] = 'f';
            }
        }
        std::vector<std::string> grown;
        for (const std::string& key : keys) {
            grown.push_back(key + first);
        }
        if (rule->keys[1]) {
            for (const std::string& key : keys) {
                if (grown.size() < kMaxGreeklishKeys) {
                    grown.push_back(key + rule->keys[1]);
                }
            }
        }
        keys = grown;
        i += length;
    }
    std::vector<std::string> unique;
    for (const std::string& key : keys) {
        std::string collapsed = CollapseDoubles(key);
        if (std::find(unique.begin(), unique.end(), collapsed) == unique.end()) {
            unique.push_back(collapsed);
        }
    }
    return unique;
}

int EditDistance(const std::string& a, const std::string& b, int limit) {
    int n = static_cast<int>(a.size());
    int m = static_cast<int>(b.size());
    if (std::abs(n - m) > limit) {
        return limit + 1;
    }
    std::vector<int> previous2(m + 1), previous(m + 1), current(m + 1);
    for (int j = 0; j <= m; ++j) {
        previous[j] = j;
    }
    for (int i = 1; i <= n; ++i) {
        current[0] = i;
        int rowBest = current[0];
        for (int j = 1; j <= m; ++j) {
            int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int best = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                best = std::min(best, previous2[j - 2] + 1);
            }
            current[j] = best;
            rowBest = std::min(rowBest, best);
        }
        if (rowBest > limit) {
            return limit + 1;
        }
        previous2.swap(previous);
        previous.swap(current);
    }
    return previous[m] > limit ? limit + 1 : previous[m];
}
