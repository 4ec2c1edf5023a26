#include "tools/wordforms/greek_inflection.h"

#include <initializer_list>
#include <utility>

#include "engine/code_pages.h"

namespace {

// Stored bytes of a UTF-8 text; the rules are written in Greek letters for the reader.
std::string Stored(const char* utf8) {
    std::string out;
    EncodeError error;
    Utf8ToStored(utf8, &out, &error);
    return out;
}

using Endings = std::vector<std::string>;

Endings Make(std::initializer_list<const char*> list) {
    Endings out;
    for (const char* ending : list) {
        out.push_back(Stored(ending));
    }
    return out;
}

// The endings, all accentless, grouped by what they inflect.
struct Tables {
    // Nouns and adjectives.
    Endings masculineOs = Make({"ου", "ο", "ε", "οι", "ων", "ους"});
    Endings adjective = Make({"ος", "η", "ης", "ες", "α", "ας", "ο", "ου", "οι", "ων", "ους", "ε"});
    Endings adjectiveSoft = Make({"ια", "ιας", "ιες", "ιου", "ιοι", "ιων", "ιους", "ιο"});
    Endings neuterOs = Make({"ους", "η", "ων", "ουσ"});
    Endings nounAs = Make({"α", "ες", "ων", "αδες", "αδων", "ατος", "ατα", "ατων"});
    Endings nounEs = Make({"ε", "εδες", "εδων"});
    Endings nounOus = Make({"ου", "ουδες", "ουδων"});
    Endings nounA = Make({"ας", "ες", "ων", "αδες", "αδων", "ατος", "ατα", "ατων"});
    Endings nounH = Make({"ης", "ες", "εις", "ων", "εων", "εως", "ηδες", "ηδων"});
    Endings nounHsMasc = Make({"η", "ες", "ων", "ηδες", "ηδων", "ισσα", "ισσες"});
    Endings adjectiveHsLearned = Make({"ους", "εις", "η", "ες", "ων"});
    Endings adjectiveHs = Make({"α", "ας", "ες", "ικο", "ικα", "ικου", "ικων", "ικοι", "ικη"});
    Endings nounO = Make({"ου", "α", "ων"});
    Endings nounI = Make({"ιου", "ια", "ιων"});
    Endings nounIAfterVowel = Make({"γιου", "για", "γιων"});
    Endings nounY = Make({"υου", "υα", "υων", "ιου", "ια", "ιων"});
    Endings nounImo = Make({"ιματος", "ιματα", "ιματων"});
    Endings nounOn = Make({"οντος", "οντα", "οντων", "οτος", "οτα", "οτων"});
    Endings nounEus = Make({"εως", "εις", "εων", "εα", "ια"});
    Endings nounOu = Make({"ους", "ουδες", "ουδων"});
    Endings adjectiveYs = Make(
        {"ια", "ιας", "ιου", "ιοι", "ιες", "ιων", "ιους", "υ", "εια", "ειας", "εις", "εων", "εος"});
    Endings adjectiveWn =
        Make({"οντος", "οντα", "οντες", "οντων", "ουσα", "ουσας", "ουσες", "ον", "ονται"});
    Endings adverb = Make({"α", "ως"});
    Endings comparative = Make({"οτερ", "υτερ", "οτατ", "ιοτερ", "τερ", "τατ"});

    // Verbs. Present and future/subjunctive share their person endings.
    Endings present = Make({"ω", "εις", "ει", "ουμε", "ομε", "ετε", "ουν", "ουνε", "οντας", "ε"});
    Endings past = Make({"α", "ες", "ε", "αμε", "ατε", "αν", "ανε"});
    Endings imperative = Make({"ε", "τε", "ετε"});
    Endings passivePresent =
        Make({"ομαι",    "εσαι",   "εται",   "ομαστε",   "εστε",   "οσαστε", "ονται",
              "ομουν",   "ομουνα", "οσουν",  "οσουνα",   "οταν",   "οτανε",  "ομασταν",
              "οσασταν", "ονταν",  "οντανε", "οντουσαν", "ομενος", "ομενη",  "ομενο",
              "ομενοι",  "ομενες", "ομενα",  "ομενου",   "ομενης", "ομενων", "ομενους"});
    Endings passiveAorist = Make({"ηκα", "ηκες", "ηκε", "ηκαμε", "ηκατε", "ηκαν", "ηκανε", "ω",
                                  "εις", "ει", "ουμε", "ειτε", "ουν", "ουνε", "ου", "ειτε"});
    Endings participle = Make(
        {"μενος", "μενη", "μενο", "μενοι", "μενες", "μενα", "μενου", "μενης", "μενων", "μενους"});
    Endings contractA =
        Make({"ω",      "αω",  "ας",   "α",     "αει",   "αμε",    "ατε",    "ουν",
              "ουνε",   "ανε", "ουσα", "ουσες", "ουσε",  "ουσαμε", "ουσατε", "ουσαν",
              "ουσανε", "αγα", "αγες", "αγε",   "αγαμε", "αγατε",  "αγαν",   "ωντας"});
    Endings contractB = Make({"ω", "εις", "ει", "ουμε", "ειτε", "ουν", "ουνε", "ουσα", "ουσες",
                              "ουσε", "ουσαμε", "ουσατε", "ουσαν", "ουσανε", "ωντας"});
    Endings contractPassive =
        Make({"ιεμαι",   "ιεσαι",   "ιεται",  "ιομαστε",  "ιεστε",    "ιουνται", "ιομουν",
              "ιομουνα", "ιοσουν",  "ιοταν",  "ιομασταν", "ιοσασταν", "ιονταν",  "ιουνταν",
              "ουμαι",   "εισαι",   "ειται",  "ουμαστε",  "ειστε",    "ουνται",  "ουμουν",
              "ουνταν",  "ουμενος", "ουμενη", "ουμενο",   "ουμενοι",  "ουμενες", "ουμενα"});
    Endings amai =
        Make({"αμαι", "ασαι", "αται", "ομαστε", "αστε", "ουνται", "ομουν", "ομουνα", "οσουν",
              "οσουνα", "οταν", "οτανε", "ομασταν", "οσασταν", "ονταν", "ουνταν", "ομουνα"});
    Endings oumai = Make({"ουμαι", "εισαι", "ειται", "ουμαστε", "ειστε", "ουνται", "ουμουν",
                          "ουνταν", "ουμενος", "ουμενη", "ουμενο", "ουμενοι", "ουμενα"});
    Endings iemai =
        Make({"ιεμαι", "ιεσαι", "ιεται", "ιομαστε", "ιεστε", "ιουνται", "ιομουν", "ιομουνα",
              "ιοσουν", "ιοταν", "ιοτανε", "ιομασταν", "ιοσασταν", "ιονταν", "ιουνταν"});
    std::string augment = Stored("ε");
    std::vector<std::pair<std::string, std::string>> internalAugments = {
        {Stored("απο"), Stored("απε")},   {Stored("επι"), Stored("επε")},
        {Stored("ανα"), Stored("ανε")},   {Stored("κατα"), Stored("κατε")},
        {Stored("παρα"), Stored("παρε")}, {Stored("μετα"), Stored("μετε")},
        {Stored("δια"), Stored("διε")},   {Stored("περι"), Stored("περιε")},
        {Stored("προ"), Stored("προε")},  {Stored("υπο"), Stored("υπε")},
        {Stored("συν"), Stored("συνε")},  {Stored("εκ"), Stored("εξε")},
        {Stored("εισ"), Stored("εισε")},  {Stored("απ"), Stored("απε")},
    };
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

bool EndsWith(const std::string& word, const std::string& end) {
    return word.size() >= end.size() &&
           word.compare(word.size() - end.size(), end.size(), end) == 0;
}

bool EndsWith(const std::string& word, const char* utf8) {
    return EndsWith(word, Stored(utf8));
}

std::string Cut(const std::string& word, const char* utf8) {
    return word.substr(0, word.size() - Stored(utf8).size());
}

// Collects candidate keys into groups; each Group call starts a new one.
class Collector {
public:
    explicit Collector(std::vector<CandidateGroup>* groups) : groups_(groups) { Group(); }

    CandidateGroup& Group(bool dropWithoutEvidence = false) {
        groups_->emplace_back();
        groups_->back().dropWithoutEvidence = dropWithoutEvidence;
        return groups_->back();
    }
    void Evidence(const std::string& stem, std::initializer_list<const char*> endings) {
        for (const char* ending : endings) {
            groups_->back().evidence.push_back(stem + Stored(ending));
        }
    }
    void Add(const std::string& stem, const Endings& endings) {
        for (const std::string& ending : endings) {
            groups_->back().keys.push_back(stem + ending);
        }
    }
    void Add(const std::string& stem, const char* utf8) {
        groups_->back().keys.push_back(stem + Stored(utf8));
    }
    // Past tenses: a stem of one syllable takes the augment ε- when the accent would fall
    // before it (έγραψα, γράψαμε); which forms take it is left to the attested list.
    // Learned compounds take it after their prefix instead (επιστρέφω, επέστρεψα; αποκτώ,
    // απέκτησα).
    void AddPast(const std::string& stem, const Endings& endings) {
        Add(stem, endings);
        Add(T().augment + stem, endings);
        for (const auto& [prefix, augmented] : T().internalAugments) {
            if (stem.size() > prefix.size() + 1 && stem.compare(0, prefix.size(), prefix) == 0) {
                Add(augmented + stem.substr(prefix.size()), endings);
            }
        }
    }

private:
    std::vector<CandidateGroup>* groups_;
};

// Aorist, passive aorist and participle stems of a verb whose present stem is `p`.
struct VerbStems {
    std::vector<std::string> aorist;
    std::vector<std::string> passive;
    std::vector<std::string> participle;
};

VerbStems StemsOf(const std::string& p) {
    VerbStems s;
    auto ends = [&](const char* utf8) { return EndsWith(p, utf8); };
    auto cut = [&](const char* utf8) { return Cut(p, utf8); };
    auto set = [&](const std::string& base, std::initializer_list<const char*> aorist,
                   std::initializer_list<const char*> passive,
                   std::initializer_list<const char*> participle) {
        for (const char* a : aorist) {
            s.aorist.push_back(base + Stored(a));
        }
        for (const char* t : passive) {
            s.passive.push_back(base + Stored(t));
        }
        for (const char* m : participle) {
            s.participle.push_back(base + Stored(m));
        }
    };
    if (ends("φτ") || ends("πτ")) {
        set(cut("φτ"), {"ψ"}, {"φτ", "φθ", "π", "φ"}, {"μ"});
    } else if (ends("φ") || ends("π") || ends("β")) {
        set(cut("φ"), {"ψ"}, {"φτ", "φθ", "π", "φ"}, {"μ"});
    } else if (ends("σσ") || ends("ττ") || ends("γγ") || ends("χν")) {
        set(cut("σσ"), {"ξ"}, {"χτ", "χθ", "γ", "κ", "χ"}, {"γ"});
    } else if (ends("γ") || ends("χ") || ends("κ")) {
        set(cut("γ"), {"ξ"}, {"χτ", "χθ", "γ", "κ", "χ"}, {"γ"});
    } else if (ends("ζ")) {
        set(cut("ζ"), {"σ", "ξ"}, {"στ", "σθ", "χτ", "χθ"}, {"σ", "γ"});
    } else if (ends("θ")) {
        set(cut("θ"), {"σ"}, {"στ", "σθ", "θ"}, {"σ"});
    } else if (ends("ευ")) {
        set(cut("ευ"), {"εψ"}, {"ευτ", "ευθ"}, {"ε", "ευ"});
    } else if (ends("αυ")) {
        set(cut("αυ"), {"αψ"}, {"αυτ", "αυθ"}, {"αυ"});
    } else if (ends("αιν")) {
        set(cut("αιν"), {"αν", "ην", "ησ", "αιν"}, {"ανθ", "ηθ", "αθ"}, {"α", "η"});
    } else if (ends("ν")) {
        // -νω: most drop the ν and take σ (κλείνω, έκλεισα; τελειώνω, τελείωσα); others keep
        // it (κρίνω, έκρινα) or change the vowel (πλένω, έπλυνα: left to the irregular table).
        set(cut("ν"), {"σ", "ν"}, {"θ", "στ", "νθ", "σθ"}, {"", "σ", "μ"});
    } else if (!p.empty() && (p.back() == Stored("ι")[0] || p.back() == Stored("υ")[0])) {
        // A stem ending in a vowel (ακούω, άκουσα, ακούστηκα).
        set(p, {"σ"}, {"στ", "σθ"}, {"σ"});
    } else {
        // -λω, -ρω, -μω keep the stem for the imperfect only; their aorists are irregular.
        set(p, {"", "ησ"}, {"ηθ", "θ"}, {"η"});
    }
    return s;
}

// A word counts as a verb only when its present is attested: εδώ ends like οδηγώ.
void VerbForms(const std::string& p, Collector& out, bool active) {
    const Tables& t = T();
    VerbStems stems = StemsOf(p);
    out.Group(true);
    if (active) {
        out.Evidence(p, {"εις", "ει"});
        out.Add(p, t.present);
        out.AddPast(p, t.past);
        out.Add(p, t.passivePresent);
        for (const std::string& a : stems.aorist) {
            out.AddPast(a, t.past);
            out.Add(a, t.present);
            out.Add(a, t.imperative);
        }
    } else {
        // A deponent (σκέφτομαι) has no active forms: its passive present is its present,
        // its passive aorist (σκέφτηκα) its aorist.
        out.Evidence(p, {"εται", "εσαι"});
        out.Add(p, t.passivePresent);
    }
    for (const std::string& passive : stems.passive) {
        out.Add(passive, t.passiveAorist);
    }
    for (const std::string& m : stems.participle) {
        out.Add(m, t.participle);
    }
}

// A contracted verb (αγαπάω/αγαπώ, οδηγώ): both present types, the aorists in -ησα, -ασα,
// -εσα, -αξα and their passives.
void ContractForms(const std::string& c, Collector& out) {
    const Tables& t = T();
    out.Group(true);
    out.Evidence(c, {"ας", "αει", "εις", "ει"});
    out.Add(c, t.contractA);
    out.Add(c, t.contractB);
    out.Add(c, t.contractPassive);
    // ξεχνάω, ξέχασα; περνάω, πέρασα: the ν of the present goes.
    std::vector<std::string> bases = {c};
    if (EndsWith(c, "ν")) {
        bases.push_back(Cut(c, "ν"));
    }
    for (const std::string& base : bases) {
        for (const char* a : {"ησ", "ασ", "εσ", "αξ", "ηξ"}) {
            std::string stem = base + Stored(a);
            out.AddPast(stem, t.past);
            out.Add(stem, t.present);
            out.Add(stem, t.imperative);
        }
        for (const char* passive : {"ηθ", "αστ", "εστ", "εθ", "αχτ", "ηχτ"}) {
            out.Add(base + Stored(passive), t.passiveAorist);
        }
    }
    for (const char* m : {"η", "ασ", "εσ", "αγ"}) {
        out.Add(c + Stored(m), t.participle);
    }
}

void DeponentContractForms(const std::string& c, const Endings& present, const char* evidence,
                           Collector& out) {
    out.Group(true);
    out.Evidence(c, {evidence});
    out.Add(c, present);
    for (const char* passive : {"ηθ", "εθ", "αστ", "ευτ"}) {
        out.Add(c + Stored(passive), T().passiveAorist);
    }
    out.Add(c + Stored("η"), T().participle);
}

void NominalForms(const std::string& headword, const std::string& key, Collector& out) {
    const Tables& t = T();
    auto ends = [&](const char* utf8) { return EndsWith(key, utf8); };
    auto cut = [&](const char* utf8) { return Cut(key, utf8); };
    // Feminine and neuter forms make a word in -ος an adjective only when its comparative is
    // attested; otherwise they come after the forms of another word (χώρες: χώρα before
    // χώρος, which is no adjective).
    auto adjective = [&](const std::string& stem) {
        out.Group();
        for (const std::string& degree : t.comparative) {
            out.Evidence(stem + degree, {"ος"});
        }
        out.Add(stem, t.adjective);
        out.Add(stem, t.adjectiveSoft);
        out.Add(stem, t.adverb);
        for (const std::string& degree : t.comparative) {
            out.Add(stem + degree, t.adjective);
        }
    };
    if (ends("ευσ")) {
        out.Add(cut("ευσ"), t.nounEus);
    } else if (ends("ουσ")) {
        out.Add(cut("ουσ"), t.nounOus);
    } else if (ends("οσ")) {
        // Masculine and feminine nouns (λόγος, οδός), neuter ones (δάσος, δάσους) and
        // adjectives (καλός, καλή, καλό; γλυκός, γλυκιά) share the ending.
        std::string stem = cut("οσ");
        out.Add(stem, t.masculineOs);
        out.Add(stem, t.neuterOs);
        out.Add(stem, t.nounOn);
        adjective(stem);
    } else if (ends("ησ")) {
        std::string stem = cut("ησ");
        out.Add(stem, t.nounHsMasc);
        // ακριβής, ακριβούς, ακριβείς: the learned adjectives are stressed on the ending,
        // unlike nouns such as ναύτης or κράτης.
        if (EndsWith(headword, "ής")) {
            out.Add(stem, t.adjectiveHsLearned);
        }
        out.Add(stem, t.adjectiveHs);
        out.Add(stem, t.adverb);
    } else if (ends("υσ")) {
        std::string stem = cut("υσ");
        out.Add(stem, t.adjectiveYs);
        for (const std::string& degree : t.comparative) {
            out.Add(stem + Stored("ι") + degree, t.adjective);
            out.Add(stem + Stored("υ") + degree, t.adjective);
        }
    } else if (ends("ασ")) {
        out.Add(cut("ασ"), t.nounAs);
    } else if (ends("εσ")) {
        out.Add(cut("εσ"), t.nounEs);
    } else if (ends("ων")) {
        out.Add(cut("ων"), t.adjectiveWn);
    } else if (ends("ον")) {
        out.Add(cut("ον"), t.nounOn);
    } else if (ends("α")) {
        out.Add(cut("α"), t.nounA);
    } else if (ends("η")) {
        out.Add(cut("η"), t.nounH);
    } else if (ends("ιμο")) {
        out.Add(cut("ιμο"), t.nounImo);
        out.Add(cut("ο"), t.nounO);
    } else if (ends("ο")) {
        out.Add(cut("ο"), t.nounO);
    } else if (ends("ου")) {
        out.Add(cut("ου"), t.nounOu);
    } else if (ends("αι") || ends("οι") || ends("ει")) {
        out.Add(cut("ι"), t.nounIAfterVowel);
        out.Add(cut("ι"), t.nounI);
    } else if (ends("ι")) {
        out.Add(cut("ι"), t.nounI);
    } else if (ends("υ")) {
        out.Add(cut("υ"), t.nounY);
    }
}

}  // namespace

std::string AccentlessKey(const std::string& word) {
    static const std::string from = Stored("άέήίόύώΐΰς");
    static const std::string to = Stored("αεηιουωϊϋσ");
    std::string key = word;
    for (char& c : key) {
        size_t at = from.find(c);
        if (at != std::string::npos) {
            c = to[at];
        }
    }
    return key;
}

std::vector<CandidateGroup> CandidateGroups(const std::string& headword) {
    std::vector<CandidateGroup> groups;
    Collector out(&groups);
    std::string key = AccentlessKey(headword);
    auto ends = [&](const char* utf8) { return EndsWith(key, utf8); };
    auto cut = [&](const char* utf8) { return Cut(key, utf8); };
    bool oxytone = EndsWith(headword, "ώ");
    if (ends("ιεμαι")) {
        DeponentContractForms(cut("ιεμαι"), T().iemai, "ιεται", out);
    } else if (ends("ουμαι")) {
        DeponentContractForms(cut("ουμαι"), T().oumai, "ειται", out);
    } else if (ends("αμαι")) {
        DeponentContractForms(cut("αμαι"), T().amai, "αται", out);
    } else if (ends("ομαι")) {
        VerbForms(cut("ομαι"), out, false);
    } else if (ends("αω")) {
        ContractForms(cut("αω"), out);
    } else if (oxytone) {
        ContractForms(cut("ω"), out);
    } else if (ends("ω")) {
        VerbForms(cut("ω"), out, true);
    } else {
        NominalForms(headword, key, out);
    }
    // The endings are written as read, with a final sigma; keys have the medial one.
    for (CandidateGroup& group : groups) {
        for (std::vector<std::string>* keys : {&group.keys, &group.evidence}) {
            for (std::string& candidate : *keys) {
                candidate = AccentlessKey(candidate);
            }
        }
    }
    return groups;
}
