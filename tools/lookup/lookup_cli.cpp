#include "tools/lookup/lookup_cli.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/catalogue.h"
#include "engine/code_pages.h"
#include "engine/dict_file.h"
#include "engine/dictionary.h"
#include "engine/file_system.h"
#include "engine/folding.h"
#include "engine/guesses.h"
#include "engine/plain_lookup_view.h"
#include "engine/search.h"
#include "engine/word_forms.h"
#include "tools/lookup/tool_arguments.h"
#include "userdict/user_dict_file.h"

const char kLookupUsage[] =
    "usage: wordmere-lookup [--dir DIR] [--dict NAME | --pair A:B] [--user] [--no-accent] "
    "[--no-root] [--no-guess] [--phrases] [--json] WORD\n"
    "       wordmere-lookup [--dir DIR] [--dict NAME] [...] --words-from FILE\n"
    "       wordmere-lookup [--dir DIR] [--greek] --list\n"
    "       wordmere-lookup --help\n";

namespace {

struct Match {
    std::string headword;
    std::vector<std::string> translations;
    bool user = false;  // a word of the user dictionary
    MatchReason reached = MatchReason::kPrefix;
};

std::string CodePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// The status line joins an English message and, after a retry, the shortened query; each
// part is decoded with its own code page, since a two-letter Greek query alone would not
// pass the language test of the whole line.
std::string StatusToUtf8(const char* status, const char* query, bool queryIsGreek) {
    size_t statusLength = std::strlen(status);
    size_t queryLength = std::strlen(query);
    if (queryLength == 0 || queryLength >= statusLength ||
        std::strcmp(status + statusLength - queryLength, query) != 0) {
        return StoredToUtf8(status);
    }
    std::string message(status, statusLength - queryLength);
    return StoredToUtf8As(message.c_str(), CodePage::kWindows1252) +
           StoredToUtf8As(query, queryIsGreek ? CodePage::kWindows1253 : CodePage::kWindows1252);
}

std::string FormatJson(const std::string& dictionary, const std::string& query, int exit,
                       const std::string& status, const std::vector<Match>& matches) {
    std::string out = "{\"dictionary\": " + JsonString(dictionary) +
                      ", \"query\": " + JsonString(query) +
                      ", \"found\": " + (exit == kExitFound ? "true" : "false") +
                      ", \"guessed\": " + (exit == kExitGuessed ? "true" : "false") +
                      ", \"status\": " + JsonString(status) + ", \"matches\": [";
    for (size_t i = 0; i < matches.size(); ++i) {
        if (i > 0) {
            out += ", ";
        }
        out += "{\"headword\": " + JsonString(matches[i].headword) +
               ", \"reached\": " + JsonString(MatchReasonName(matches[i].reached));
        if (matches[i].user) {
            out += ", \"user\": true";
        }
        out += ", \"translations\": [";
        for (size_t j = 0; j < matches[i].translations.size(); ++j) {
            if (j > 0) {
                out += ", ";
            }
            out += JsonString(matches[i].translations[j]);
        }
        out += "]}";
    }
    return out + "]}\n";
}

// Dictionary text for a terminal: a control byte (an escape sequence, a line break inside an
// item) is shown as \xNN instead of reaching the terminal.
std::string Printable(const std::string& utf8) {
    std::string out;
    for (unsigned char c : utf8) {
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string FormatText(const std::vector<Match>& matches) {
    std::string out;
    for (const Match& match : matches) {
        // The words the index lists for the word are shown as they always were; the others
        // say how they were reached.
        bool plain = match.reached == MatchReason::kExact || match.reached == MatchReason::kPrefix;
        out += Printable(match.headword) + (match.user ? "  (user)" : "") +
               (plain ? "" : std::string("  (") + MatchReasonName(match.reached) + ")") + "\n";
        for (const std::string& translation : match.translations) {
            out += "    " + Printable(translation) + "\n";
        }
    }
    return out;
}

}  // namespace

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

bool AsksForHelp(int argc, const char* const* argv) {
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            return false;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            return true;
        }
    }
    return false;
}

std::string DefaultDictionaryDirFor(const std::string& executableDir) {
    char probe[400];
    if (FormatDictionaryPath(probe, sizeof probe, executableDir.c_str(), "GRENG", "dic") &&
        SystemFileSystem().FileExists(probe)) {
        return executableDir;
    }
    // Two levels up: past the "bin" folder and the build's own folder (native or win).
    std::string dir = executableDir;
    for (int level = 0; level < 2; ++level) {
        size_t cut = dir.find_last_of(kPathSeparator == '/' ? "/" : "/\\");
        if (cut == std::string::npos) {
            return std::string("..") + kPathSeparator + ".." + kPathSeparator + "dist";
        }
        dir.erase(cut);
    }
    return dir + kPathSeparator + "dist";
}

namespace {

// The options that turn a switch of the request on or off.
struct LookupSwitch {
    const char* name;
    bool LookupRequest::*field;
    bool value;
};
constexpr LookupSwitch kLookupSwitches[] = {
    {"--no-accent", &LookupRequest::accent, false}, {"--no-root", &LookupRequest::root, false},
    {"--json", &LookupRequest::json, true},         {"--user", &LookupRequest::user, true},
    {"--list", &LookupRequest::list, true},         {"--greek", &LookupRequest::greek, true},
    {"--no-guess", &LookupRequest::guess, false},   {"--phrases", &LookupRequest::phrases, true},
};

const LookupSwitch* FindSwitch(const std::string& arg) {
    for (const LookupSwitch& option : kLookupSwitches) {
        if (arg == option.name) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

bool ParseLookupArguments(int argc, const char* const* argv, LookupRequest& request,
                          std::string& error) {
    bool haveWord = false;
    bool optionsEnded = false;
    bool haveDict = false;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (!optionsEnded && arg.compare(0, 2, "--") == 0) {
            if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "--pair" && i + 1 < argc) {
                std::string value = argv[++i];
                size_t colon = value.find(':');
                std::string first = value.substr(0, colon);
                std::string second = colon == std::string::npos ? "" : value.substr(colon + 1);
                if (!IsBaseName(first) || !IsBaseName(second) ||
                    UpperAscii(first) == UpperAscii(second)) {
                    error = "wordmere-lookup: \"" + value +
                            "\" is not a pair of two dictionary base names (A:B)\n";
                    return false;
                }
                request.pairFirst = UpperAscii(first);
                request.pairSecond = UpperAscii(second);
                request.dictionary = request.pairFirst + ":" + request.pairSecond;
            } else if ((arg == "--dir" || arg == "--dict" || arg == "--words-from") &&
                       i + 1 < argc) {
                std::string value = argv[++i];
                if (arg == "--words-from") {
                    request.wordsFrom = value;
                } else if (arg == "--dir") {
                    request.dir = value;
                } else if (IsBaseName(value)) {
                    request.dictionary = UpperAscii(value);
                    haveDict = true;
                } else {
                    error = "wordmere-lookup: \"" + value + "\" is not a dictionary base name\n";
                    return false;
                }
            } else if (const LookupSwitch* option = FindSwitch(arg)) {
                request.*(option->field) = option->value;
            } else {
                error = std::string("wordmere-lookup: unknown or incomplete option ") + arg + "\n" +
                        kLookupUsage;
                return false;
            }
        } else if (haveWord) {
            error = std::string("wordmere-lookup: one word at a time\n") + kLookupUsage;
            return false;
        } else {
            request.word = arg;
            haveWord = true;
        }
    }
    if (haveDict && !request.pairFirst.empty()) {
        error =
            std::string("wordmere-lookup: --dict and --pair exclude each other\n") + kLookupUsage;
        return false;
    }
    if (request.list) {
        if (haveWord || haveDict || !request.pairFirst.empty() || request.user) {
            error =
                std::string("wordmere-lookup: --list takes no word or dictionary\n") + kLookupUsage;
            return false;
        }
        return true;
    }
    if (haveWord && !request.wordsFrom.empty()) {
        error = std::string("wordmere-lookup: a word or --words-from, not both\n") + kLookupUsage;
        return false;
    }
    if (!haveWord && request.wordsFrom.empty()) {
        error = std::string("wordmere-lookup: no word to look up\n") + kLookupUsage;
        return false;
    }
    return true;
}

namespace {

// The word as the dictionaries store it. It gets the stand-ins the importer gives the
// dictionaries' own text, so "łódź" finds the Polish entry stored as "lódz".
bool StoredWord(const std::string& utf8, std::string& stored, std::string& error) {
    EncodeError encodeError;
    if (TypedToStored(utf8, &stored, &encodeError)) {
        return true;
    }
    char32_t bad = encodeError.character;
    error = "wordmere-lookup: the word holds " +
            (bad != 0 ? CodePoint(bad) +
                            ", a character no dictionary can hold (outside Windows-1252 "
                            "and Windows-1253)"
                      : std::string("bytes that are not UTF-8")) +
            "\n";
    return false;
}

std::string OpenProblemText(OpenFailure failure) {
    return failure == OpenFailure::kMissing
               ? "missing dictionary file (cannot open it)"
               : std::string("cannot open it (") + DescribeOpenFailure(failure) + ")";
}

// Opens one dictionary as the lookup window would and checks that its files hold together;
// a problem is named with the file that has it.
bool OpenCheckedSingle(Engine& engine, PlainLookupView& view, const std::string& dirText,
                       const std::string& baseText, std::string& bodyPath, std::string& error) {
    const char* dir = dirText.c_str();
    const char* base = baseText.c_str();
    char body[400];
    char index[400];
    if (!FormatDictionaryPath(body, sizeof body, dir, base, "dic") ||
        !FormatDictionaryPath(index, sizeof index, dir, base, "ind")) {
        error = "wordmere-lookup: " + dirText + ": directory name too long\n";
        return false;
    }
    bodyPath = body;
    DictionaryOpenProblem problem;
    if (!OpenSingleDictionary(engine, &view, dir, base, &problem)) {
        std::string what;
        const char* path = body;
        if (problem.fault == DictionaryFault::kIndexNotOpened) {
            path = index;
            what = OpenProblemText(problem.failure);
        } else if (problem.fault == DictionaryFault::kBodyNotOpened) {
            what = OpenProblemText(problem.failure);
        } else {
            DictFile* file = OpenDictFile(body, DictFileMode::kRead);
            uint64_t size = DictFileSize(file);
            CloseDictFile(file);
            what = size == 0 ? "empty dictionary file"
                   : size < kTrailerSize
                       ? "damaged dictionary (cut short: shorter than its trailer)"
                       : "damaged dictionary (its trailer is missing or invalid)";
        }
        error = std::string("wordmere-lookup: ") + path + ": " + what + "\n";
        return false;
    }
    BuiltinDictionary which;
    DictionaryCheck check = CheckDictionaryFiles(engine.mainBody, engine.mainIndex,
                                                 FindBuiltinDictionary(base, &which));
    if (check.damage != DictionaryDamage::kNone) {
        CloseDictionaryFiles(engine);
        error = std::string("wordmere-lookup: ") + (check.BlamesIndex() ? index : body) + ": " +
                DescribeDictionaryDamage(check) + "\n";
        return false;
    }
    return true;
}

// The Greek interface texts of the texts file beside the dictionaries (section
// "DialogGreekTokens" of vbrtexts.res, Windows-1253); English where it has none.
class ShellTexts : public InterfaceTexts {
public:
    explicit ShellTexts(const std::string& dir) {
        char path[400];
        std::snprintf(path, sizeof path, "%s%cvbrtexts.res", dir.c_str(), kPathSeparator);
        FILE* file = std::fopen(path, "rb");
        if (!file) {
            return;
        }
        char line[1024];
        bool inSection = false;
        while (std::fgets(line, sizeof line, file)) {
            line[std::strcspn(line, "\r\n")] = '\0';
            if (line[0] == '[') {
                inSection = std::strcmp(line, "[DialogGreekTokens]") == 0;
                continue;
            }
            const char* equals = std::strchr(line, '=');
            if (inSection && equals) {
                texts_.push_back({static_cast<unsigned>(std::strtoul(line, nullptr, 10)),
                                  std::string(equals + 1)});
            }
        }
        std::fclose(file);
    }
    void Load(unsigned id, bool greek, char* buffer, size_t size) const override {
        if (greek) {
            for (const auto& text : texts_) {
                if (text.first == id && !text.second.empty()) {
                    std::snprintf(buffer, size, "%s", text.second.c_str());
                    return;
                }
            }
        }
        InterfaceTexts::Load(id, greek, buffer, size);
    }

private:
    std::vector<std::pair<unsigned, std::string>> texts_;
};

// The lookup dialog as the catalogue sees it, without a window.
class ShellCatalogueDialog : public CatalogueDialog {
public:
    DictionaryList& Dictionaries() override { return list; }
    void SetTitle(const char*) override {}
    void ApplyKeyboardDescription(const char*) override {}
    void ShowInformation(unsigned id) override { information = id; }
    void RememberedDictionary(char* buffer, size_t size) override {
        if (size > 0) {
            buffer[0] = '\0';
        }
    }
    void ShowDiskError() override { ++diskErrors; }

    PlainDictionaryList list;
    unsigned information = 0;
    int diskErrors = 0;
};

bool StartCatalogue(Catalogue& catalogue, const LookupRequest& request, std::string& error) {
    if (request.dir.size() >= sizeof catalogue.programDir) {
        error = "wordmere-lookup: " + request.dir + ": directory name too long\n";
        return false;
    }
    std::snprintf(catalogue.programDir, sizeof catalogue.programDir, "%s", request.dir.c_str());
    catalogue.useGreek = request.greek;
    return true;
}

// Opens the pair A-->B through the catalogue, as choosing its list entry does; each half is
// checked as a single dictionary first so that a problem names its file.
bool OpenCheckedPair(Engine& engine, PlainLookupView& view, const LookupRequest& request,
                     std::string& bodyPath, std::string& error) {
    for (const std::string& base : {request.pairFirst, request.pairSecond}) {
        bool ok = OpenCheckedSingle(engine, view, request.dir, base, bodyPath, error);
        CloseDictionaryFiles(engine);
        if (!ok) {
            return false;
        }
    }
    bodyPath = request.dir;
    std::unique_ptr<Catalogue> catalogue(new Catalogue);
    ShellCatalogueDialog dialog;
    if (!StartCatalogue(*catalogue, request, error)) {
        return false;
    }
    FillCatalogue(engine, *catalogue, dialog);
    int first = -1;
    int second = -1;
    for (int i = 0; i < catalogue->languageCount; ++i) {
        const char* name = catalogue->languages[i].baseName;
        if (UpperAscii(name) == request.pairFirst && first < 0) {
            first = i;
        }
        if (UpperAscii(name) == request.pairSecond && second < 0) {
            second = i;
        }
    }
    int entry = -1;
    for (int i = 0; i < dialog.list.Count() && first >= 0 && second >= 0; ++i) {
        uint32_t data = dialog.list.ItemData(i);
        if (IsPairItemData(data) && static_cast<int>((data >> 16) & 0xFF) == first &&
            static_cast<int>(data >> 24) == second) {
            entry = i;
        }
    }
    if (entry < 0) {
        error = "wordmere-lookup: " + request.dictionary +
                ": no such language pair (both dictionaries must be pairable)\n";
        return false;
    }
    dialog.list.Select(entry);
    if (!OpenSelectedDictionary(engine, *catalogue, &dialog)) {
        error = "wordmere-lookup: " + request.dictionary + ": the pair cannot be opened\n";
        return false;
    }
    return true;
}

// The user dictionary beside the main dictionary, read-only as after a dictionary change. A
// missing one simply has no words; one that cannot be opened otherwise is an error.
bool OpenUserDictionary(Engine& engine, const LookupRequest& request, std::string& error) {
    const std::string& base = request.pairFirst.empty() ? request.dictionary : request.pairFirst;
    char path[400];
    if (FormatDictionaryPath(path, sizeof path, request.dir.c_str(), base.c_str(), "usr")) {
        CloseDictFile(engine.userDict);
        OpenFailure failure = OpenFailure::kNone;
        engine.userDict = OpenDictFile(path, DictFileMode::kRead, &failure);
        if (!engine.userDict && failure != OpenFailure::kMissing) {
            error =
                std::string("wordmere-lookup: ") + path + ": " + OpenProblemText(failure) + "\n";
            return false;
        }
    }
    InstallUserDictHooks(engine);
    return true;
}

bool OpenForLookup(Engine& engine, PlainLookupView& view, const LookupRequest& request,
                   std::string& bodyPath, std::string& error) {
    bool ok = request.pairFirst.empty() ? OpenCheckedSingle(engine, view, request.dir,
                                                            request.dictionary, bodyPath, error)
                                        : OpenCheckedPair(engine, view, request, bodyPath, error);
    if (ok && request.user && !OpenUserDictionary(engine, request, error)) {
        CloseDictionaryFiles(engine);
        return false;
    }
    return ok;
}

struct Outcome {
    bool result = false;  // what SearchWord returned
    std::string query;    // the query as searched, UTF-8
    std::string status;   // the status line
    std::vector<Match> matches;
};

// How a listed word that is not a guess was reached: the word itself, a headword that begins
// with it, or one that begins with the shortened word of the closest-word retry.
MatchReason SearchedReason(const char* headword, const char* typed, bool greek, bool accent) {
    std::string head = headword;
    std::string word = typed;
    if (accent) {
        FoldBytes(&head[0], head.size(), greek);
        FoldBytes(&word[0], word.size(), greek);
    }
    if (head == word) {
        return MatchReason::kExact;
    }
    return head.compare(0, word.size(), word) == 0 ? MatchReason::kPrefix : MatchReason::kClosest;
}

MatchReason ReasonOf(const Guesser& guesser, const char* headword, uint32_t data, const char* typed,
                     bool greek, bool accent) {
    for (const auto* guesses : {&guesser.LastGuesses(), &guesser.LastPhrases()}) {
        for (const GuessedWord& guess : *guesses) {
            if (guess.translationOffset == data) {
                return guess.reason;
            }
        }
    }
    return SearchedReason(headword, typed, greek, accent);
}

// SearchWord, then every listed word selected in turn with the translations the list shows.
Outcome Search(Engine& engine, PlainLookupView& view, const SearchOptions& options,
               const std::string& stored) {
    // The query buffer holds what the lookup window reads (the trim works on 99 bytes).
    char query[100] = {};
    std::strncpy(query, stored.c_str(), sizeof query - 1);
    LowerText(query);
    char typed[sizeof query];
    std::memcpy(typed, query, sizeof query);
    TrimLeadingSpaces(typed);
    typed[kMaxQueryLength] = '\0';
    Outcome outcome;
    outcome.result = SearchWord(engine, view, options, query);
    outcome.status = StatusToUtf8(view.status, query, engine.queryIsGreek);
    outcome.query = StoredToUtf8As(
        query, engine.queryIsGreek ? CodePage::kWindows1253 : CodePage::kWindows1252);
    CodePage page = engine.queryIsGreek ? CodePage::kWindows1253 : CodePage::kWindows1252;
    for (int i = 0; i < view.words.Count(); ++i) {
        Match match;
        // The listed words begin with the query, so they are in its script; the language
        // test alone would read a Latin "å" as the Greek "ε".
        match.headword = StoredToUtf8As(view.words.TextAt(i), page);
        match.user = IsUserDictItem(view.words.ItemData(i));
        if (engine.guesser) {
            match.reached = ReasonOf(*engine.guesser, view.words.TextAt(i), view.words.ItemData(i),
                                     typed, engine.queryIsGreek, options.accent);
        } else {
            match.reached =
                SearchedReason(view.words.TextAt(i), typed, engine.queryIsGreek, options.accent);
        }
        if (match.reached == MatchReason::kTransliteration) {
            // Greek words for a Latin one.
            match.headword = StoredToUtf8As(view.words.TextAt(i), CodePage::kWindows1253);
        }
        view.words.Select(i);
        ShowSelectedTranslations(engine, view, options);
        for (int j = 0; j < view.translations.Count(); ++j) {
            match.translations.push_back(StoredToUtf8(view.translations.TextAt(j)));
        }
        outcome.matches.push_back(std::move(match));
    }
    return outcome;
}

}  // namespace

namespace {

int RunList(const LookupRequest& request, std::string& out, std::string& error) {
    std::unique_ptr<Engine> engine(new Engine);
    ShellTexts texts(request.dir);
    engine->texts = &texts;
    std::unique_ptr<Catalogue> catalogue(new Catalogue);
    ShellCatalogueDialog dialog;
    if (!StartCatalogue(*catalogue, request, error)) {
        return kExitError;
    }
    if (!FillCatalogue(*engine, *catalogue, dialog)) {
        error = "wordmere-lookup: " + request.dir + ": no usable dictionary\n";
        return kExitError;
    }
    // The list shows what the window's list shows; a listed dictionary whose files do not
    // hold together is named, and makes the run fail.
    bool sound = true;
    for (int i = 0; i < dialog.list.Count(); ++i) {
        out += StoredToUtf8(dialog.list.TextAt(i)) + "\n";
        uint32_t data = dialog.list.ItemData(i);
        const char* base = catalogue->baseNames[data & 0xFFFF];
        char body[400];
        DictFile* file = nullptr;
        if (!IsPairItemData(data) &&
            FormatDictionaryPath(body, sizeof body, request.dir.c_str(), base, "dic") &&
            (file = OpenDictFile(body, DictFileMode::kRead)) != nullptr) {
            CloseDictFile(file);
            std::unique_ptr<Engine> checked(new Engine);
            PlainLookupView view;
            std::string bodyPath, problem;
            if (!OpenCheckedSingle(*checked, view, request.dir, base, bodyPath, problem)) {
                error += problem;
                sound = false;
            }
            CloseDictionaryFiles(*checked);
        }
    }
    return sound ? kExitFound : kExitError;
}

}  // namespace

namespace {

// The exit status of a search: found when a listed word is the word, begins with it, is the
// headword of its form, or is the user's own; guessed when only guesses are listed.
int SearchStatus(const Outcome& outcome) {
    // The search's own result is not asked: a word whose first letters have no index block
    // may still have guesses.
    if (outcome.matches.empty()) {
        return kExitNotFound;
    }
    for (const Match& match : outcome.matches) {
        if (match.user || match.reached == MatchReason::kExact ||
            match.reached == MatchReason::kPrefix || match.reached == MatchReason::kFormOf) {
            return kExitFound;
        }
    }
    return kExitGuessed;
}

// One word over the open dictionary: its exit status, output and message.
int LookupOne(Engine& engine, PlainLookupView& view, const LookupRequest& request,
              const SearchOptions& baseOptions, const std::string& word,
              const std::string& bodyPath, bool json, std::string& out, std::string& error) {
    std::string stored;
    if (!StoredWord(word, stored, error)) {
        return kExitError;
    }
    SearchOptions options = baseOptions;
    // The word came as Unicode text: its own letters tell its script, which the stored bytes
    // alone cannot ("ö" and "φ" are both 0xF6).
    options.queryScript = IsGreekTypedText(word) ? QueryScript::kGreek : QueryScript::kLatin;
    Outcome outcome = Search(engine, view, options, stored);
    if (view.diskErrors > 0) {
        error = "wordmere-lookup: " + bodyPath +
                ": read error (the dictionary is damaged or cut short)\n";
        return kExitError;
    }
    int status = SearchStatus(outcome);
    if (json) {
        out =
            FormatJson(request.dictionary, outcome.query, status, outcome.status, outcome.matches);
    } else {
        out = FormatText(outcome.matches);
        if (!outcome.status.empty()) {
            error = Printable(outcome.status) + "\n";
        } else if (status == kExitNotFound) {
            error = "No match for \"" + outcome.query + "\"\n";
        }
    }
    return status;
}

bool ReadWordLines(const std::string& path, std::vector<std::string>& words, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "wordmere-lookup: " + path + ": cannot open it\n";
        return false;
    }
    std::string line;
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == '\n') {
            words.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line.push_back(static_cast<char>(c));
        }
    }
    if (!line.empty()) {
        words.push_back(line);
    }
    std::fclose(file);
    return true;
}

}  // namespace

int RunLookup(const LookupRequest& request, std::string& out, std::string& error) {
    out.clear();
    error.clear();
    // The program directory's limit, the same for the list and for lookups.
    if (request.dir.size() >= kCataloguePathSize) {
        error = "wordmere-lookup: " + request.dir + ": directory name too long\n";
        return kExitError;
    }
    if (request.list) {
        return RunList(request, out, error);
    }
    std::vector<std::string> words;
    if (request.wordsFrom.empty()) {
        std::string stored;
        if (!StoredWord(request.word, stored, error)) {
            return kExitError;
        }
        words.push_back(request.word);
    } else if (!ReadWordLines(request.wordsFrom, words, error)) {
        return kExitError;
    }

    // The engine state is large (two 30 KB buffers): never on the stack.
    std::unique_ptr<Engine> engine(new Engine);
    PlainLookupView view;
    std::string bodyPath;
    if (!OpenForLookup(*engine, view, request, bodyPath, error)) {
        return kExitError;
    }
    Guesser guesser;
    if (request.guess) {
        guesser.SetFormLemmas(WordFormsLemmas(request.dir + kPathSeparator + kWordFormsFileName));
        engine->guesser = &guesser;
    }

    SearchOptions options;
    options.accent = request.accent;
    options.root = request.root;
    options.useUserDict = request.user;
    options.listPhrases = request.phrases;
    int status = kExitFound;
    if (request.wordsFrom.empty()) {
        status = LookupOne(*engine, view, request, options, request.word, bodyPath, request.json,
                           out, error);
    } else {
        for (const std::string& word : words) {
            std::string one;
            std::string message;
            int wordStatus =
                LookupOne(*engine, view, request, options, word, bodyPath, true, one, message);
            if (wordStatus == kExitError && one.empty()) {
                one = "{\"query\": " + JsonString(word) + ", \"error\": " + JsonString(message) +
                      "}\n";
            }
            one.insert(one.size() - 2, ", \"exit\": " + std::to_string(wordStatus));
            out += one;
            if (view.diskErrors > 0) {
                error = message;
                status = kExitError;
                break;
            }
        }
    }
    engine->guesser = nullptr;
    CloseDictionaryFiles(*engine);
    return status;
}

std::string PrintableText(const std::string& utf8) {
    return Printable(utf8);
}
