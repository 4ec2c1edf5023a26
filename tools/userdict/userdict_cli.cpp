#include "tools/userdict/userdict_cli.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/code_pages.h"
#include "engine/dictionary.h"
#include "engine/plain_lookup_view.h"
#include "tools/lookup/lookup_cli.h"
#include "userdict/user_dict_file.h"

const char kUserDictUsage[] =
    "usage: wordmere-userdict [--dir DIR] [--dict NAME] list [PREFIX]\n"
    "       wordmere-userdict [--dir DIR] [--dict NAME] add WORD TRANSLATION\n"
    "       wordmere-userdict [--dir DIR] [--dict NAME] replace [--record N] WORD TRANSLATION\n"
    "       wordmere-userdict [--dir DIR] [--dict NAME] delete (WORD | --record N)\n"
    "       wordmere-userdict --help\n";

namespace {

constexpr size_t kMaxBaseName = 19;

bool IsBaseName(const std::string& name) {
    if (name.empty() || name.size() > kMaxBaseName) {
        return false;
    }
    for (char c : name) {
        bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                  c == '_' || c == '-';
        if (!ok) {
            return false;
        }
    }
    return true;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
    }
    return text;
}

// The maintenance dialog without a window: the list, the two edits, the buttons' state and
// the messages it would show.
class ShellDialog : public UserDictDialog {
public:
    ListBox& Words() override { return words; }
    void WordText(char* buffer, size_t size) override {
        snprintf(buffer, size, "%s", word.c_str());
    }
    void TranslationText(char* buffer, size_t size) override {
        snprintf(buffer, size, "%s", translation.c_str());
    }
    void SetWordText(const char* text) override { word = text; }
    void SetTranslationText(const char* text) override { translation = text; }
    void EnableReplace(bool) override {}
    void EnableDelete(bool) override {}
    void DeleteWord(int) override {}
    void ShowWriteError() override { ++writeErrors; }
    void ShowDiskError() override { ++diskErrors; }

    PlainListBox words{PlainListBox::kSorted};
    std::string word;
    std::string translation;
    int writeErrors = 0;
    int diskErrors = 0;
};

// UTF-8 to the stored bytes, with the stand-ins the dictionaries use for letters the code
// pages lack.
bool ToStored(const std::string& utf8, const char* what, std::string& stored, std::string& error) {
    EncodeError encodeError;
    if (TypedToStored(utf8, &stored, &encodeError)) {
        return true;
    }
    error = std::string("wordmere-userdict: the ") + what +
            " holds a character no dictionary can hold\n";
    return false;
}

std::string Trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        return "";
    }
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

struct Session {
    std::unique_ptr<Engine> engine{new Engine};
    ShellDialog dialog;
    UserDictSelection selection;
    std::string path;
    bool editing = false;

    ~Session() {
        if (editing) {
            CloseUserDictAfterEdit(*engine, path.c_str());
        }
        CloseDictionaryFiles(*engine);
    }
};

// The index of the list item of record `record`, or of the first record (lowest index) whose
// word is `word`; -1 when there is none.
int FindTarget(Session& s, long record, const std::string& word) {
    ListBox& list = s.dialog.words;
    list.Clear();
    ListUserDictMatches(*s.engine, &s.dialog, list, record >= 0 ? "" : word.c_str());
    int best = -1;
    for (int i = 0; i < list.Count(); ++i) {
        uint32_t index = list.ItemData(i) - kUserDictItemFlag;
        char text[kUserDictWordSize];
        list.Text(i, text, sizeof text);
        bool match = record >= 0 ? index == static_cast<uint32_t>(record) : word == text;
        if (match && (best < 0 || index < list.ItemData(best) - kUserDictItemFlag)) {
            best = i;
        }
    }
    return best;
}

std::string RecordLine(Session& s, uint32_t index) {
    UserDictRecord record;
    ReadUserDictRecord(*s.engine, &s.dialog, index, &record);
    char word[kUserDictWordSize];
    char translation[kUserDictTranslationSize];
    snprintf(word, sizeof word, "%.*s", static_cast<int>(sizeof word - 1), record.word);
    snprintf(translation, sizeof translation, "%.*s", static_cast<int>(sizeof translation - 1),
             record.translation);
    return std::to_string(index) + "\t" + StoredToUtf8(word) + "\t" + StoredToUtf8(translation) +
           "\n";
}

int List(Session& s, const std::string& prefix, std::string& out) {
    s.engine->userDict = OpenDictFile(s.path.c_str(), DictFileMode::kRead);
    ListUserDictMatches(*s.engine, &s.dialog, s.dialog.words, prefix.c_str());
    bool any = false;
    for (int i = 0; i < s.dialog.words.Count(); ++i) {
        if (std::strcmp(s.dialog.words.TextAt(i), kUserDictDeletedMarker) == 0) {
            continue;
        }
        out += RecordLine(s, s.dialog.words.ItemData(i) - kUserDictItemFlag);
        any = true;
    }
    return any ? kExitFound : kExitNotFound;
}

}  // namespace

bool ParseUserDictArguments(int argc, const char* const* argv, UserDictRequest& request,
                            std::string& error) {
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--dir" || arg == "--dict" || arg == "--record") && i + 1 < argc) {
            std::string value = argv[++i];
            if (arg == "--dir") {
                request.dir = value;
            } else if (arg == "--dict") {
                if (!IsBaseName(value)) {
                    error = "wordmere-userdict: \"" + value + "\" is not a dictionary base name\n";
                    return false;
                }
                request.dictionary = Upper(value);
            } else {
                char* end = nullptr;
                long n = std::strtol(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || n < 0 || n > 0x7FFFFFFE) {
                    error = "wordmere-userdict: \"" + value + "\" is not a record number\n";
                    return false;
                }
                request.record = n;
            }
        } else if (arg.compare(0, 2, "--") == 0) {
            error =
                "wordmere-userdict: unknown or incomplete option " + arg + "\n" + kUserDictUsage;
            return false;
        } else if (request.command.empty()) {
            request.command = arg;
        } else {
            request.operands.push_back(arg);
        }
    }
    size_t n = request.operands.size();
    const std::string& c = request.command;
    bool withRecord = request.record >= 0;
    bool ok = (c == "list" && n <= 1 && !withRecord) || (c == "add" && n == 2 && !withRecord) ||
              (c == "replace" && n == 2) || (c == "delete" && n == (withRecord ? 0u : 1u));
    if (!ok) {
        bool known = c == "list" || c == "add" || c == "replace" || c == "delete";
        error = "wordmere-userdict: " +
                (c.empty() ? std::string("no command")
                 : known   ? "wrong operands for " + c
                           : "unknown command " + c) +
                "\n" + kUserDictUsage;
        return false;
    }
    return true;
}

int RunUserDict(const UserDictRequest& request, std::string& out, std::string& error) {
    out.clear();
    error.clear();
    Session s;
    char body[400];
    char path[400];
    const char* dir = request.dir.c_str();
    const char* base = request.dictionary.c_str();
    if (!FormatDictionaryPath(body, sizeof body, dir, base, "dic") ||
        !FormatDictionaryPath(path, sizeof path, dir, base, "usr")) {
        error = "wordmere-userdict: " + request.dir + ": directory name too long\n";
        return kExitError;
    }
    DictFile* dictionary = OpenDictFile(body, DictFileMode::kRead);
    CloseDictFile(dictionary);
    if (!dictionary) {
        error = std::string("wordmere-userdict: ") + body + ": no such dictionary\n";
        return kExitError;
    }
    s.path = path;

    std::vector<std::string> stored;
    const char* what[] = {"word", "translation"};
    for (size_t i = 0; i < request.operands.size(); ++i) {
        std::string text;
        if (!ToStored(request.operands[i], what[i], text, error)) {
            return kExitError;
        }
        stored.push_back(text);
    }
    if (request.command == "list") {
        return List(s, stored.empty() ? "" : stored[0], out);
    }

    if (!stored.empty() && Trimmed(stored[0]).empty()) {
        error = "wordmere-userdict: the word is empty\n";
        return kExitError;
    }
    if (stored.size() == 2 && Trimmed(stored[1]).empty()) {
        error = "wordmere-userdict: the translation is empty\n";
        return kExitError;
    }
    if (stored.size() > 0 && stored[0].size() > kUserDictMaxWord) {
        error += "wordmere-userdict: note: the word is cut to 28 characters\n";
    }
    if (stored.size() > 1 && stored[1].size() > kUserDictMaxTranslation) {
        error += "wordmere-userdict: note: the translation is cut to 98 characters\n";
    }

    if (!OpenUserDictForEdit(*s.engine, path, s.selection)) {
        error = std::string("wordmere-userdict: ") + path +
                ": Can't open user dictionary due to an I/O error\n";
        return kExitError;
    }
    s.editing = true;
    bool done = false;
    if (request.command == "add") {
        s.dialog.word = stored[0];
        s.dialog.translation = stored[1];
        uint64_t records =
            (DictFileSize(s.engine->userDict) + kUserDictRecordSize - 1) / kUserDictRecordSize;
        done = AppendUserDictEntry(*s.engine, s.dialog);
        if (done) {
            out = "added record " + std::to_string(records) + "\n";
        }
    } else {
        std::string word = request.record >= 0 ? "" : stored[0];
        int item = FindTarget(s, request.record, word);
        if (item < 0) {
            error = request.record >= 0
                        ? "wordmere-userdict: no record " + std::to_string(request.record) + "\n"
                        : "wordmere-userdict: no user word \"" + request.operands[0] + "\"\n";
            return kExitNotFound;
        }
        uint32_t index = s.dialog.words.ItemData(item) - kUserDictItemFlag;
        char text[kUserDictWordSize];
        s.dialog.words.Text(item, text, sizeof text);
        if (std::strcmp(text, kUserDictDeletedMarker) == 0) {
            error = "wordmere-userdict: record " + std::to_string(index) + " is deleted\n";
            return kExitNotFound;
        }
        s.dialog.words.Select(item);
        if (request.command == "delete") {
            done = MarkUserDictEntryDeleted(*s.engine, s.dialog);
            if (done) {
                out = "deleted record " + std::to_string(index) + "\n";
            }
        } else {
            LoadUserDictEntry(*s.engine, s.dialog, s.selection);
            s.dialog.word = stored[0];
            s.dialog.translation = stored[1];
            done = ReplaceUserDictEntry(*s.engine, s.dialog);
            if (done) {
                out = "replaced record " + std::to_string(index) + "\n";
            }
        }
    }
    if (!done) {
        error = std::string("wordmere-userdict: ") + path + ": " + kUserDictWriteErrorText + "\n";
        return kExitError;
    }
    return kExitFound;
}
