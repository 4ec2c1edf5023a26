#include "tools/userdict/userdict_cli.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "engine/code_pages.h"
#include "engine/dictionary.h"
#include "engine/plain_lookup_view.h"
#include "tools/lookup/lookup_cli.h"
#include "tools/lookup/tool_arguments.h"
#include "userdict/user_dict_file.h"

const char kUserDictUsage[] =
    "usage: wordmere-userdict [--dir DIR] [--dict NAME] list [PREFIX]\n"
    "       wordmere-userdict [--dir DIR] [--dict NAME] add WORD TRANSLATION\n"
    "       wordmere-userdict [--dir DIR] [--dict NAME] replace [--record N] WORD TRANSLATION\n"
    "       wordmere-userdict [--dir DIR] [--dict NAME] delete (WORD | --record N)\n"
    "       wordmere-userdict --help\n";

namespace {

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

struct FoundRecord {
    uint32_t index;
    UserDictRecord record;
    std::string word;  // the word field's text, never past the field
};

// Gathers what a search finds, with no list box's limit on the number of items. Deleted
// records and records that hold no word (a damaged or sparse file) are left out; the latter
// are counted.
class FoundRecords : public UserDictSink {
public:
    void Found(uint32_t index, const UserDictRecord& record) override {
        char word[kUserDictWordSize];
        UserDictFieldText(record.word, sizeof word, word);
        if (word[0] == '\0') {
            ++withoutWord;
        } else if (!IsDeletedUserDictWord(word)) {
            found.push_back({index, record, word});
        }
    }
    std::vector<FoundRecord> found;
    uint64_t withoutWord = 0;
};

// A field as the terminal gets it: control bytes of a damaged or hostile file are escaped.
std::string FieldUtf8(const char* field, size_t size) {
    char text[kUserDictTranslationSize];
    UserDictFieldText(field, size, text);
    return PrintableText(StoredToUtf8(text));
}

std::string RecordLine(uint32_t index, const UserDictRecord& record) {
    return std::to_string(index) + "\t" + FieldUtf8(record.word, sizeof record.word) + "\t" +
           FieldUtf8(record.translation, sizeof record.translation) + "\n";
}

std::string Failure(const char* path, UserDictResult result) {
    return std::string("wordmere-userdict: ") + path + ": " + UserDictResultText(result) + "\n";
}

// Opens and closes the user dictionary around one command.
struct Session {
    UserDict dict;
    ~Session() { CloseUserDict(dict); }
};

int List(Session& s, const char* path, const std::string& prefix, std::string& out,
         std::string& error) {
    UserDictResult opened = OpenUserDict(s.dict, path, false);
    if (opened == UserDictResult::kMissing) {
        return kExitNotFound;
    }
    FoundRecords records;
    UserDictResult listed = opened;
    if (opened == UserDictResult::kOk) {
        listed = ListUserDict(s.dict, prefix.c_str(), records);
    }
    if (listed != UserDictResult::kOk) {
        error = Failure(path, listed);
        return kExitError;
    }
    if (records.withoutWord > 0) {
        error = "wordmere-userdict: " + std::string(path) +
                ": note: " + std::to_string(records.withoutWord) +
                " records hold no word and are left out (is the file damaged?)\n";
    }
    // The dialog's list keeps its words sorted without regard to case, equal words in file
    // order.
    std::stable_sort(records.found.begin(), records.found.end(),
                     [](const FoundRecord& a, const FoundRecord& b) {
                         return CompareListTexts(a.word.c_str(), b.word.c_str()) < 0;
                     });
    for (const FoundRecord& f : records.found) {
        out += RecordLine(f.index, f.record);
    }
    return records.found.empty() ? kExitNotFound : kExitFound;
}

// The record a replace or delete acts on: record N, or the first record whose word is `word`
// (cut to 28 characters, as a word is stored).
UserDictResult FindTarget(Session& s, long record, const std::string& word, uint32_t* index) {
    if (record >= 0) {
        UserDictRecord found;
        *index = static_cast<uint32_t>(record);
        UserDictResult loaded = LoadUserDictRecord(s.dict, *index, &found);
        if (loaded == UserDictResult::kOk && IsDeletedUserDictWord(found.word)) {
            return UserDictResult::kDeleted;
        }
        return loaded;
    }
    FoundRecords records;
    UserDictResult listed = ListUserDict(s.dict, word.substr(0, kUserDictMaxWord).c_str(), records);
    if (listed != UserDictResult::kOk) {
        return listed;
    }
    for (const FoundRecord& f : records.found) {
        if (UserDictWordIs(f.record, word.c_str())) {
            *index = f.index;
            return UserDictResult::kOk;
        }
    }
    return UserDictResult::kNoRecord;
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
                request.dictionary = UpperAscii(value);
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

bool UserDictRunChangedFile(const UserDictRequest& request, int status) {
    return request.command != "list" && status == kExitFound;
}

int RunUserDict(const UserDictRequest& request, std::string& out, std::string& error) {
    return RunUserDictWithStep(request, out, error, nullptr);
}

int RunUserDictWithStep(const UserDictRequest& request, std::string& out, std::string& error,
                        const std::function<void(uint32_t)>& betweenFindAndWrite) {
    out.clear();
    error.clear();
    Session s;
    char body[kUserDictPathSize];
    char path[kUserDictPathSize];
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
        return List(s, path, stored.empty() ? "" : stored[0], out, error);
    }

    if (!stored.empty() && Trimmed(stored[0]).empty()) {
        error = "wordmere-userdict: the word is empty\n";
        return kExitError;
    }
    if (stored.size() == 2 && Trimmed(stored[1]).empty()) {
        error = "wordmere-userdict: the translation is empty\n";
        return kExitError;
    }
    UserDictRecord record = {};
    if (stored.size() == 2) {
        MakeUserDictRecord(stored[0].c_str(), stored[1].c_str(), &record);
        if (IsDeletedUserDictWord(record.word)) {
            error = "wordmere-userdict: " +
                    std::string(UserDictResultText(UserDictResult::kMarkerWord)) + "\n";
            return kExitError;
        }
    }
    if (stored.size() > 0 && stored[0].size() > kUserDictMaxWord) {
        error += request.command == "delete" || stored.size() == 1
                     ? "wordmere-userdict: note: the word is cut to 28 characters, as it is "
                       "stored\n"
                     : "wordmere-userdict: note: the word is cut to 28 characters\n";
    }
    if (stored.size() > 1 && stored[1].size() > kUserDictMaxTranslation) {
        error += "wordmere-userdict: note: the translation is cut to 98 characters\n";
    }

    UserDictResult opened = OpenUserDict(s.dict, path, true);
    if (opened != UserDictResult::kOk) {
        error = Failure(path, opened);
        return kExitError;
    }
    uint32_t index = 0;
    UserDictResult result;
    const char* done = "";
    if (request.command == "add") {
        result = AppendUserDictRecord(s.dict, record, &index);
        done = "added";
    } else {
        const char* word = request.record >= 0 ? nullptr : stored[0].c_str();
        result = FindTarget(s, request.record, word ? word : "", &index);
        if (result == UserDictResult::kNoRecord || result == UserDictResult::kDeleted) {
            error += request.record < 0
                         ? "wordmere-userdict: no user word \"" + request.operands[0] + "\"\n"
                     : result == UserDictResult::kDeleted
                         ? "wordmere-userdict: record " + std::to_string(index) + " is deleted\n"
                         : "wordmere-userdict: no record " + std::to_string(index) + "\n";
            return kExitNotFound;
        }
        if (result == UserDictResult::kOk && betweenFindAndWrite) {
            betweenFindAndWrite(index);
        }
        // The record was found without a lock; the write checks under the lock that it still
        // holds what it was found by.
        if (result == UserDictResult::kOk && request.command == "delete") {
            result = MarkUserDictRecordDeleted(s.dict, index, word);
            done = "deleted";
        } else if (result == UserDictResult::kOk) {
            result = ReplaceUserDictRecord(s.dict, index, record, word);
            done = "replaced";
        }
    }
    if (result == UserDictResult::kDeleted) {
        error += "wordmere-userdict: record " + std::to_string(index) +
                 " is deleted; nothing was written\n";
        return kExitNotFound;
    }
    if (result == UserDictResult::kChanged) {
        error += "wordmere-userdict: " + std::string(path) + ": record " + std::to_string(index) +
                 " no longer holds \"" + request.operands[0] +
                 "\": it was changed by someone else meanwhile; nothing was written\n";
        return kExitError;
    }
    if (result != UserDictResult::kOk) {
        error += Failure(path, result);
        return kExitError;
    }
    out = std::string(done) + " record " + std::to_string(index) + "\n";
    return kExitFound;
}
