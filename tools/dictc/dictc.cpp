#include "tools/dictc/dictc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "engine/code_pages.h"
#include "engine/folding.h"

namespace {

constexpr size_t kMaxBodySize = 0x7FFFFFFF;  // item data keeps the top bit for other uses

std::string Where(const std::string& fileName, int line) {
    return fileName + ":" + std::to_string(line) + ": ";
}

std::string DescribeBadText(const EncodeError& error) {
    if (error.character == 0) {
        return "malformed UTF-8 at byte " + std::to_string(error.offset + 1);
    }
    char code[16];
    snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(error.character));
    std::string shown;
    AppendUtf8(error.character, &shown);
    return std::string("character ") + code + " '" + shown +
           "' is in neither Windows-1252 nor Windows-1253";
}

// Encodes a text for storage; on failure sets `problem`.
bool Encode(const std::string& utf8, std::string* stored, std::string* problem) {
    EncodeError error;
    if (!Utf8ToStored(utf8, stored, &error)) {
        *problem = DescribeBadText(error);
        return false;
    }
    return true;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

struct TextField {
    const char* name;
    size_t offset;  // in DictionaryTrailer
    size_t size;    // field size; the text keeps one byte for its NUL
};

const TextField kTextFields[] = {
    {"title-en", offsetof(DictionaryTrailer, titleEnglish), 50},
    {"title-el", offsetof(DictionaryTrailer, titleGreek), 50},
    {"list-en", offsetof(DictionaryTrailer, listNameEnglish), 40},
    {"list-el", offsetof(DictionaryTrailer, listNameGreek), 40},
    {"descriptor-en", offsetof(DictionaryTrailer, descriptorEnglish), 70},
    {"descriptor-el", offsetof(DictionaryTrailer, descriptorGreek), 70},
    {"pair-language", offsetof(DictionaryTrailer, pairLanguage), 206},
    {"start-word", offsetof(DictionaryTrailer, startWord), 40},
    {"phonetic", offsetof(DictionaryTrailer, phoneticName), 9},
};

class HeaderReader {
public:
    explicit HeaderReader(DictionarySourceFile* source) : source_(source) {}

    // Applies one header line; false with `problem` set when it is wrong.
    bool Apply(const std::string& name, const std::string& value, std::string* problem) {
        bool repeatable = name == "info-en" || name == "info-el";
        if (!repeatable && !seen_.insert(name).second) {
            *problem = "header @" + name + " given twice";
            return false;
        }
        char* trailer = reinterpret_cast<char*>(&source_->trailer);
        for (const TextField& field : kTextFields) {
            if (name == field.name) {
                return SetText(trailer + field.offset, field.size, value, problem);
            }
        }
        if (repeatable) {
            int& count = name == "info-en" ? infoEnglish_ : infoGreek_;
            if (count == 20) {
                *problem = "more than 20 @" + name + " lines";
                return false;
            }
            char* line = name == "info-en" ? source_->trailer.infoEnglish[count]
                                           : source_->trailer.infoGreek[count];
            ++count;
            return SetText(line, 70, value, problem);
        }
        if (name == "builtin") {
            source_->builtin = true;
            return true;
        }
        if (name == "key") {
            if (value.empty() || value.size() > kMaxKeyLength) {
                *problem = "@key needs 1 to 12 characters";
                return false;
            }
            for (unsigned char c : value) {
                if (c < 48 || c > 103) {
                    *problem = "@key characters must be bytes 48..103 (digits, letters up to g)";
                    return false;
                }
            }
            source_->key = value;
            return true;
        }
        if (name == "pairable") {
            if (value != "0" && value != "1") {
                *problem = "@pairable must be 0 or 1";
                return false;
            }
            source_->trailer.pairable = value == "1" ? 1 : 0;
            return true;
        }
        if (name == "format") {
            char* end = nullptr;
            long n = strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || n < 0 || n > 255) {
                *problem = "@format must be a number 0..255";
                return false;
            }
            source_->trailer.format = static_cast<uint8_t>(n);
            return true;
        }
        *problem = "unknown header @" + name;
        return false;
    }

private:
    static bool SetText(char* field, size_t size, const std::string& value, std::string* problem) {
        std::string stored;
        if (!Encode(value, &stored, problem)) {
            return false;
        }
        if (stored.size() > size - 1) {
            *problem = "text longer than " + std::to_string(size - 1) + " bytes";
            return false;
        }
        memset(field, 0, size);
        memcpy(field, stored.data(), stored.size());
        return true;
    }

    DictionarySourceFile* source_;
    std::set<std::string> seen_;
    int infoEnglish_ = 0;
    int infoGreek_ = 0;
};

// Reads one entry line; false with `problem` set when it breaks the format.
bool ReadEntry(const std::string& line, SourceLineEntry* entry, std::string* problem) {
    std::vector<std::string> fields = SplitTabs(line);
    if (!Encode(fields[0], &entry->headword, problem)) {
        return false;
    }
    entry->greek = IsGreekTypedText(fields[0]);
    if (entry->headword.empty()) {
        *problem = "empty headword";
        return false;
    }
    if (entry->headword.find(',') != std::string::npos) {
        *problem = "comma in the headword";
        return false;
    }
    if (entry->headword.size() > kMaxItemSize) {
        *problem = "headword longer than 149 bytes";
        return false;
    }
    size_t entrySize = entry->headword.size() + 2;  // separator and terminator
    for (size_t i = 1; i < fields.size(); ++i) {
        std::string item;
        if (!Encode(fields[i], &item, problem)) {
            return false;
        }
        if (item.empty()) {
            continue;
        }
        if (item.find(',') != std::string::npos) {
            *problem = "comma in translation item " + std::to_string(i);
            return false;
        }
        if (item.size() > kMaxItemSize) {
            *problem = "translation item " + std::to_string(i) + " longer than 149 bytes";
            return false;
        }
        entrySize += item.size() + (entry->items.empty() ? 0 : 1);
        entry->items.push_back(item);
    }
    if (entrySize > kMaxEntrySize) {
        *problem = "entry longer than 3000 bytes (" + std::to_string(entrySize) + ")";
        return false;
    }
    return true;
}

// Writes the bytes to a new temporary file beside `path` and makes sure they are on the disk;
// its name goes to `temp`. Nothing is left behind on failure.
bool WriteTemporary(const std::string& path, const std::string& bytes, std::string* temp,
                    std::string* problem) {
    std::vector<char> name(path.begin(), path.end());
    const char suffix[] = ".tmp.XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    int fd = mkstemp(name.data());
    if (fd < 0) {
        *problem = path + ": cannot create: " + strerror(errno);
        return false;
    }
    *temp = name.data();
    // mkstemp makes the file private; a dictionary gets the usual permissions.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    int error = done == bytes.size() ? 0 : errno;
    bool ok = done == bytes.size() && fsync(fd) == 0;
    if (error == 0 && !ok) {
        error = errno;
    }
    ok = close(fd) == 0 && ok;
    if (!ok) {
        *problem = path + ": write failed: " + strerror(error != 0 ? error : EIO);
        remove(temp->c_str());
        temp->clear();
    }
    return ok;
}

// Whether a body and an index belong together as the compiler wrote them (or, for a body from
// before index stamps, hold together).
bool PairBelongs(const std::string& bodyPath, const std::string& indexPath) {
    DictFile* body = OpenDictFile(bodyPath.c_str(), DictFileMode::kRead);
    DictFile* index = OpenDictFile(indexPath.c_str(), DictFileMode::kRead);
    // "Built in" here reads a trailer wherever its magic is, which holds for every body.
    bool belongs =
        body && index && CheckDictionaryFiles(body, index, true).damage == DictionaryDamage::kNone;
    CloseDictFile(body);
    CloseDictFile(index);
    return belongs;
}

// A compile killed while it replaced the pair leaves its temporary files and the link to the
// old body beside the targets, and may have renamed the new body over the old one without the
// new index. Before anything else, this compile finishes that replacement (the new index is
// there and belongs to the body) or undoes it (the old body is there and belongs to the
// index), then removes what was left.
void RecoverInterruptedReplace(const std::string& outBase, std::vector<std::string>* messages) {
    namespace fs = std::filesystem;
    fs::path base(outBase);
    fs::path dir = base.has_parent_path() ? base.parent_path() : fs::path(".");
    std::string name = base.filename().string();
    std::vector<std::string> tempIndexes, oldBodies, leftovers;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::string file = it->path().filename().string();
        std::string path = (dir / file).string();
        if (file.rfind(name + ".ind.tmp.", 0) == 0) {
            tempIndexes.push_back(path);
        } else if (file.rfind(name + ".dic.old.", 0) == 0) {
            oldBodies.push_back(path);
        } else if (file.rfind(name + ".dic.tmp.", 0) != 0) {
            continue;
        }
        leftovers.push_back(path);
    }
    if (leftovers.empty()) {
        return;
    }
    std::string dicPath = outBase + ".dic";
    std::string indPath = outBase + ".ind";
    if (!PairBelongs(dicPath, indPath)) {
        bool done = false;
        for (const std::string& temp : tempIndexes) {
            if (!done && PairBelongs(dicPath, temp) && rename(temp.c_str(), indPath.c_str()) == 0) {
                messages->push_back(outBase +
                                    ": finished the replacement an interrupted compile "
                                    "left half done");
                done = true;
            }
        }
        for (const std::string& old : oldBodies) {
            if (!done && PairBelongs(old, indPath) && rename(old.c_str(), dicPath.c_str()) == 0) {
                messages->push_back(outBase +
                                    ": undid the replacement an interrupted compile "
                                    "left half done");
                done = true;
            }
        }
    }
    for (const std::string& leftover : leftovers) {
        remove(leftover.c_str());
    }
}

// Puts the new body and index in place of the old pair. Each is renamed over its target only
// once both are written, the body first, and a failed second rename puts the old body back.
// Killed between the two renames, the compile leaves the new body with the old index: the
// body's index stamp tells readers so, and the next compile finishes or undoes the change.
bool ReplaceDictionaryFiles(const std::string& outBase, const std::string& body,
                            const std::string& index, std::string* problem) {
    std::string dicPath = outBase + ".dic";
    std::string indPath = outBase + ".ind";
    std::string tempDic;
    std::string tempInd;
    if (!WriteTemporary(dicPath, body, &tempDic, problem)) {
        return false;
    }
    if (!WriteTemporary(indPath, index, &tempInd, problem)) {
        remove(tempDic.c_str());
        return false;
    }
    std::string backup = dicPath + ".old." + std::to_string(getpid());
    bool backedUp = link(dicPath.c_str(), backup.c_str()) == 0;
    bool ok = false;
    if (rename(tempDic.c_str(), dicPath.c_str()) != 0) {
        *problem = dicPath + ": cannot replace: " + strerror(errno);
        remove(tempDic.c_str());
    } else if (rename(tempInd.c_str(), indPath.c_str()) != 0) {
        *problem = indPath + ": cannot replace: " + strerror(errno);
        if (backedUp) {
            rename(backup.c_str(), dicPath.c_str());
        } else {
            remove(dicPath.c_str());
        }
    } else {
        ok = true;
    }
    remove(tempInd.c_str());
    if (backedUp) {
        remove(backup.c_str());
    }
    return ok;
}

}  // namespace

bool ParseDictionarySource(const std::string& text, const std::string& fileName, bool skipBad,
                           DictionarySourceFile* source, std::vector<std::string>* messages) {
    HeaderReader header(source);
    bool ok = true;
    bool inEntries = false;
    size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        start = 3;
    }
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (IsBlank(line) || line[0] == '#') {
            continue;
        }
        std::string problem;
        if (line[0] == '@') {
            if (inEntries) {
                messages->push_back(Where(fileName, lineNumber) +
                                    "header line after the first entry");
                ok = false;
                continue;
            }
            size_t space = line.find(' ');
            std::string name = line.substr(1, space == std::string::npos ? space : space - 1);
            std::string value = space == std::string::npos ? "" : line.substr(space + 1);
            if (!header.Apply(name, value, &problem)) {
                messages->push_back(Where(fileName, lineNumber) + problem);
                ok = false;
            }
            continue;
        }
        inEntries = true;
        SourceLineEntry entry;
        entry.line = lineNumber;
        if (!ReadEntry(line, &entry, &problem)) {
            if (skipBad) {
                messages->push_back(Where(fileName, lineNumber) + problem + " (line skipped)");
                ++source->skippedLines;
            } else {
                messages->push_back(Where(fileName, lineNumber) + problem);
                ok = false;
            }
            continue;
        }
        source->entries.push_back(std::move(entry));
    }
    if (source->builtin && !source->key.empty()) {
        messages->push_back(fileName + ": @builtin and @key exclude each other");
        ok = false;
    }
    return ok;
}

bool BuildDictionary(const DictionarySourceFile& source, std::string* body, std::string* index,
                     std::vector<std::string>* messages) {
    // Fold each headword the way a search for it folds the query: by its own script, which
    // the source's characters tell ("å" is a Latin letter, though its byte reads as Greek).
    struct Sorted {
        std::string folded;
        const SourceLineEntry* entry;
    };
    std::vector<Sorted> order;
    order.reserve(source.entries.size());
    for (const SourceLineEntry& entry : source.entries) {
        std::string folded = entry.headword;
        FoldText(&folded[0], entry.greek);
        order.push_back({folded, &entry});
    }
    // Byte order of the folded headword groups by first, then second letter, and is the
    // alphabetical order within a block for both code pages.
    std::stable_sort(order.begin(), order.end(), [](const Sorted& a, const Sorted& b) {
        return std::lexicographical_compare(
            a.folded.begin(), a.folded.end(), b.folded.begin(), b.folded.end(), [](char x, char y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
            });
    });

    struct Block {
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    std::map<unsigned char, Block> letters;
    std::map<unsigned char, std::map<unsigned char, Block>> pairs;
    body->clear();
    for (const Sorted& s : order) {
        size_t at = body->size();
        *body += s.entry->headword;
        *body += ',';
        for (size_t i = 0; i < s.entry->items.size(); ++i) {
            if (i > 0) {
                *body += ',';
            }
            *body += s.entry->items[i];
        }
        *body += '\0';
        if (body->size() > kMaxBodySize - kTrailerSize) {
            messages->push_back("the body would exceed 2 GB");
            return false;
        }
        unsigned char first = static_cast<unsigned char>(s.folded[0]);
        unsigned char second = s.folded.size() > 1 ? static_cast<unsigned char>(s.folded[1]) : 0;
        uint32_t length = static_cast<uint32_t>(body->size() - at);
        for (Block* block : {&letters[first], &pairs[first][second]}) {
            if (block->length == 0) {
                block->offset = static_cast<uint32_t>(at);
            }
            block->length += length;
        }
    }

    uint8_t key[kMaxKeyLength];
    int keyLength;
    if (source.builtin) {
        BuiltinKey(key);
        keyLength = kBuiltinKeyLength;
    } else {
        keyLength = static_cast<int>(source.key.size());
        memcpy(key, source.key.data(), source.key.size());
    }
    index->clear();
    for (const auto& letter : letters) {
        const std::map<unsigned char, Block>& letterPairs = pairs[letter.first];
        IndexLetterRecord record;
        record.letter = letter.first;
        record.blockOffset = letter.second.offset;
        record.blockLength = letter.second.length;
        record.next = static_cast<uint32_t>(index->size() + kIndexLetterRecordSize +
                                            kIndexPairRecordSize * letterPairs.size());
        unsigned char bytes[kIndexLetterRecordSize];
        EncodeLetterRecord(record, bytes);
        index->append(reinterpret_cast<const char*>(bytes), sizeof bytes);
        for (const auto& pair : letterPairs) {
            IndexPairRecord p;
            p.key = static_cast<uint16_t>(letter.first | pair.first << 8);
            p.blockOffset = pair.second.offset;
            p.blockLength = pair.second.length;
            unsigned char pairBytes[kIndexPairRecordSize];
            EncodePairRecord(p, pairBytes);
            index->append(reinterpret_cast<const char*>(pairBytes), sizeof pairBytes);
        }
    }
    ScrambleWithKey(key, keyLength, &(*body)[0], 0, body->size());
    // The entries end with the stamp of the index written with them.
    char stamp[kIndexStampSize];
    MakeIndexStamp(
        IndexFingerprint(reinterpret_cast<const unsigned char*>(index->data()), index->size()),
        stamp);
    body->append(stamp, sizeof stamp);
    // A built-in dictionary's trailer is the program's own; a trailer is written for one only
    // to carry its About lines, which the About dialog reads from the file.
    const bool hasAboutLines =
        source.trailer.infoEnglish[0][0] != '\0' || source.trailer.infoGreek[0][0] != '\0';
    if (!source.builtin || hasAboutLines) {
        DictionaryTrailer trailer = source.trailer;
        trailer.magic = kTrailerMagic;
        trailer.keyLength = static_cast<uint8_t>(keyLength);
        memset(trailer.key, 0, sizeof trailer.key);
        memcpy(trailer.key, key, static_cast<size_t>(keyLength));
        unsigned char bytes[kTrailerSize];
        EncodeTrailer(trailer, bytes);
        body->append(reinterpret_cast<const char*>(bytes), kTrailerSize);
    }

    return true;
}

bool CompileDictionaryText(const std::string& text, const std::string& fileName,
                           const std::string& outBase, bool skipBad, std::string* summary,
                           std::vector<std::string>* messages) {
    RecoverInterruptedReplace(outBase, messages);
    DictionarySourceFile source;
    if (!ParseDictionarySource(text, fileName, skipBad, &source, messages)) {
        return false;
    }
    std::string body;
    std::string index;
    if (!BuildDictionary(source, &body, &index, messages)) {
        return false;
    }
    std::string problem;
    if (!ReplaceDictionaryFiles(outBase, body, index, &problem)) {
        messages->push_back(problem);
        return false;
    }
    std::ostringstream line;
    line << outBase << ": " << source.entries.size() << " entries, " << body.size()
         << " bytes body, " << index.size() << " bytes index";
    if (source.skippedLines > 0) {
        line << ", " << source.skippedLines << " bad lines skipped";
    }
    *summary = line.str();
    return true;
}

bool CompileDictionaryFile(const std::string& sourcePath, const std::string& outBase, bool skipBad,
                           std::string* summary, std::vector<std::string>* messages) {
    std::error_code ignored;
    if (std::filesystem::is_directory(sourcePath, ignored)) {
        messages->push_back(sourcePath + ": is a directory, not a source file");
        return false;
    }
    std::ifstream in(sourcePath, std::ios::binary);
    if (!in) {
        messages->push_back(sourcePath + ": cannot open");
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        messages->push_back(sourcePath + ": read error");
        return false;
    }
    return CompileDictionaryText(text.str(), sourcePath, outBase, skipBad, summary, messages);
}
