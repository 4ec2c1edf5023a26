// The Greek word-form table: which headwords an inflected form (σπιτιού, έγραψα, πήρα) is a
// form of. Words are bytes as the dictionaries store them: Windows-1253, monotonic, accented,
// lower case. The table is built at build time and shipped in the program folder; the program
// works without it, so a missing or damaged file simply answers nothing.
//
// The file: a fixed header, the lemma offsets and texts, then the forms sorted by their bytes
// in blocks of a few dozen, each form sharing its prefix with the one before it (front coding)
// and naming its lemmas by number. Opening reads the header only; the first question reads the
// rest once and checks it against the header's checksum.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct DictFile;

// The table's file name in the program folder.
constexpr char kWordFormsFileName[] = "GRFORMS.DAT";

// One form and the headwords it is a form of, best first.
struct WordFormEntry {
    std::string form;
    std::vector<std::string> lemmas;
};

// The bytes of a table file holding `entries` (any order). A form listed twice keeps the
// lemmas of both, the first entry's first. Forms and lemmas longer than 255 bytes, empty ones
// and lemmas past the 255th of a form are left out.
std::string BuildWordFormsFile(const std::vector<WordFormEntry>& entries);

// The checksum a table's header holds: of the whole file, the checksum's own bytes read as 0.
uint32_t WordFormsChecksum(const unsigned char* file, size_t size);
// Where the checksum sits in the header, and the header's size (for tests and the fuzzer).
constexpr size_t kWordFormsChecksumOffset = 32;
constexpr size_t kWordFormsHeaderSize = 40;

class WordForms {
public:
    WordForms() = default;
    ~WordForms();
    WordForms(const WordForms&) = delete;
    WordForms& operator=(const WordForms&) = delete;

    // Opens a table file, reading its header only; false for a missing file or one whose
    // header does not describe a table of its size. Closes what was open before.
    bool Open(const std::string& path);
    // The same over a file already opened (tests and the fuzzer hand memory); takes ownership
    // of `file`, also when it fails.
    bool OpenFile(DictFile* file);
    void Close();
    // True from a successful Open until a question finds the table's body damaged.
    bool IsOpen() const;

    // The headwords `form` is a form of, best first; empty when the form is unknown or no
    // table is open. The first call reads the table; not safe to call from two threads at once.
    std::vector<std::string> LemmasOf(std::string_view form) const;

private:
    bool Load() const;
    bool Find(std::string_view form, std::vector<std::string>* lemmas) const;

    mutable DictFile* file_ = nullptr;
    mutable std::vector<unsigned char> data_;  // the whole file once loaded
    mutable bool loaded_ = false;
    uint32_t lemmaCount_ = 0;
    uint32_t blockCount_ = 0;
    uint32_t lemmaTextSize_ = 0;
    uint32_t blocksSize_ = 0;
    uint32_t fileSize_ = 0;
    uint32_t checksum_ = 0;
};
