#include "engine/word_forms.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "engine/dict_file.h"

namespace {

constexpr char kMagic[8] = {'W', 'M', 'F', 'O', 'R', 'M', 'S', '1'};
// Forms per block: a question decodes one block, so a small block keeps it short, and the
// block offsets cost four bytes per block.
constexpr size_t kFormsPerBlock = 32;
constexpr size_t kMaxWordLength = 255;
constexpr size_t kMaxLemmasPerForm = 255;

void PutU32(std::string* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void SetU32(std::string* out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        (*out)[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

uint32_t GetU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void PutVarint(std::string* out, uint32_t value) {
    while (value >= 0x80) {
        out->push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out->push_back(static_cast<char>(value));
}

// Reads a number written by PutVarint from [*p, end); false when it runs past the end or is
// longer than a 32-bit number needs.
bool GetVarint(const unsigned char** p, const unsigned char* end, uint32_t* value) {
    uint32_t result = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        if (*p >= end) {
            return false;
        }
        unsigned char byte = *(*p)++;
        result |= static_cast<uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            *value = result;
            return true;
        }
    }
    return false;
}

bool Usable(const std::string& word) {
    return !word.empty() && word.size() <= kMaxWordLength;
}

// The header's fields, in the order they are stored after the magic.
struct Header {
    uint32_t lemmaCount = 0;
    uint32_t blockCount = 0;
    uint32_t formCount = 0;
    uint32_t lemmaTextSize = 0;
    uint32_t blocksSize = 0;
    uint32_t fileSize = 0;
    uint32_t checksum = 0;
};

// The size a table with these counts must have; 0 when the counts cannot describe one.
uint64_t ExpectedSize(const Header& h) {
    return kWordFormsHeaderSize + 4 * (static_cast<uint64_t>(h.lemmaCount) + 1) + h.lemmaTextSize +
           4 * static_cast<uint64_t>(h.blockCount) + h.blocksSize;
}

}  // namespace

uint32_t WordFormsChecksum(const unsigned char* file, size_t size) {
    // FNV-1a over 64-bit words (the header's bytes one by one): enough to tell a damaged or
    // cut file from a whole one, and eight times fewer steps over a table of megabytes, which
    // the first question of a session waits for.
    const uint64_t prime = 1099511628211ull;
    uint64_t hash = 14695981039346656037ull;
    size_t at = 0;
    for (; at < size && at < kWordFormsHeaderSize; ++at) {
        bool inSum = at >= kWordFormsChecksumOffset && at < kWordFormsChecksumOffset + 4;
        hash = (hash ^ (inSum ? 0 : file[at])) * prime;
    }
    for (; at + 8 <= size; at += 8) {
        uint64_t word;
        memcpy(&word, file + at, sizeof word);
        hash = (hash ^ word) * prime;
    }
    for (; at < size; ++at) {
        hash = (hash ^ file[at]) * prime;
    }
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

std::string BuildWordFormsFile(const std::vector<WordFormEntry>& entries) {
    std::map<std::string, std::vector<std::string>> forms;
    for (const WordFormEntry& entry : entries) {
        if (!Usable(entry.form)) {
            continue;
        }
        std::vector<std::string>& lemmas = forms[entry.form];
        for (const std::string& lemma : entry.lemmas) {
            if (Usable(lemma) && lemmas.size() < kMaxLemmasPerForm &&
                std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end()) {
                lemmas.push_back(lemma);
            }
        }
    }

    std::map<std::string, uint32_t> lemmaIds;
    for (const auto& [form, lemmas] : forms) {
        for (const std::string& lemma : lemmas) {
            lemmaIds.emplace(lemma, 0);
        }
    }
    std::string lemmaOffsets;
    std::string lemmaText;
    uint32_t nextId = 0;
    for (auto& [lemma, id] : lemmaIds) {
        id = nextId++;
        PutU32(&lemmaOffsets, static_cast<uint32_t>(lemmaText.size()));
        lemmaText += lemma;
    }
    PutU32(&lemmaOffsets, static_cast<uint32_t>(lemmaText.size()));

    std::string blockOffsets;
    std::string blocks;
    uint32_t formCount = 0;
    std::string previous;
    for (const auto& [form, lemmas] : forms) {
        if (lemmas.empty()) {
            continue;
        }
        size_t shared = 0;
        if (formCount % kFormsPerBlock == 0) {
            PutU32(&blockOffsets, static_cast<uint32_t>(blocks.size()));
        } else {
            size_t limit = std::min(previous.size(), form.size());
            while (shared < limit && previous[shared] == form[shared]) {
                ++shared;
            }
        }
        blocks.push_back(static_cast<char>(shared));
        blocks.push_back(static_cast<char>(form.size() - shared));
        blocks.append(form, shared, std::string::npos);
        blocks.push_back(static_cast<char>(lemmas.size()));
        for (const std::string& lemma : lemmas) {
            PutVarint(&blocks, lemmaIds[lemma]);
        }
        previous = form;
        ++formCount;
    }

    std::string file(kMagic, sizeof kMagic);
    PutU32(&file, static_cast<uint32_t>(lemmaIds.size()));
    PutU32(&file, static_cast<uint32_t>(blockOffsets.size() / 4));
    PutU32(&file, formCount);
    PutU32(&file, static_cast<uint32_t>(lemmaText.size()));
    PutU32(&file, static_cast<uint32_t>(blocks.size()));
    PutU32(&file, 0);  // file size, set below
    PutU32(&file, 0);  // checksum, set below
    PutU32(&file, 0);  // reserved
    file += lemmaOffsets;
    file += lemmaText;
    file += blockOffsets;
    file += blocks;
    SetU32(&file, 28, static_cast<uint32_t>(file.size()));
    SetU32(&file, kWordFormsChecksumOffset,
           WordFormsChecksum(reinterpret_cast<const unsigned char*>(file.data()), file.size()));
    return file;
}

WordForms::~WordForms() {
    Close();
}

bool WordForms::Open(const std::string& path) {
    Close();
    DictFile* file = OpenDictFile(path.c_str(), DictFileMode::kRead);
    return file != nullptr && OpenFile(file);
}

bool WordForms::OpenFile(DictFile* file) {
    Close();
    unsigned char bytes[kWordFormsHeaderSize];
    ReadStatus status = ReadStatus::kOk;
    if (file == nullptr || !SeekDictFile(file, 0) ||
        ReadDictFile(file, bytes, sizeof bytes, &status) != sizeof bytes ||
        status != ReadStatus::kOk || memcmp(bytes, kMagic, sizeof kMagic) != 0) {
        CloseDictFile(file);
        return false;
    }
    Header h;
    h.lemmaCount = GetU32(bytes + 8);
    h.blockCount = GetU32(bytes + 12);
    h.formCount = GetU32(bytes + 16);
    h.lemmaTextSize = GetU32(bytes + 20);
    h.blocksSize = GetU32(bytes + 24);
    h.fileSize = GetU32(bytes + 28);
    h.checksum = GetU32(bytes + kWordFormsChecksumOffset);
    if (ExpectedSize(h) != h.fileSize || DictFileSize(file) != h.fileSize ||
        (h.blockCount == 0) != (h.blocksSize == 0) || GetU32(bytes + 36) != 0) {
        CloseDictFile(file);
        return false;
    }
    file_ = file;
    lemmaCount_ = h.lemmaCount;
    blockCount_ = h.blockCount;
    lemmaTextSize_ = h.lemmaTextSize;
    blocksSize_ = h.blocksSize;
    fileSize_ = h.fileSize;
    checksum_ = h.checksum;
    return true;
}

void WordForms::Close() {
    CloseDictFile(file_);
    file_ = nullptr;
    data_.clear();
    data_.shrink_to_fit();
    loaded_ = false;
}

bool WordForms::IsOpen() const {
    return file_ != nullptr || loaded_;
}

// Reads the whole table and checks it: the checksum, and that every offset the questions
// follow stays inside its section, so that the lookups only need to check the entries.
bool WordForms::Load() const {
    if (loaded_) {
        return true;
    }
    if (file_ == nullptr) {
        return false;
    }
    data_.resize(fileSize_);
    ReadStatus status = ReadStatus::kOk;
    bool whole = SeekDictFile(file_, 0) &&
                 ReadDictFile(file_, data_.data(), data_.size(), &status) == data_.size() &&
                 status == ReadStatus::kOk;
    CloseDictFile(file_);
    file_ = nullptr;
    bool sound = whole && WordFormsChecksum(data_.data(), data_.size()) == checksum_;
    const unsigned char* lemmaOffsets = data_.data() + kWordFormsHeaderSize;
    for (uint32_t i = 0; sound && i <= lemmaCount_; ++i) {
        uint32_t offset = GetU32(lemmaOffsets + 4 * i);
        uint32_t before = i == 0 ? 0 : GetU32(lemmaOffsets + 4 * (i - 1));
        sound = offset >= before && offset <= lemmaTextSize_ && (i > 0 || offset == 0) &&
                (i < lemmaCount_ || offset == lemmaTextSize_);
    }
    const unsigned char* blockOffsets =
        lemmaOffsets + 4 * (static_cast<size_t>(lemmaCount_) + 1) + lemmaTextSize_;
    for (uint32_t i = 0; sound && i < blockCount_; ++i) {
        uint32_t offset = GetU32(blockOffsets + 4 * i);
        sound = offset < blocksSize_ &&
                (i == 0 ? offset == 0 : offset > GetU32(blockOffsets + 4 * (i - 1)));
    }
    if (!sound) {
        data_.clear();
        data_.shrink_to_fit();
        return false;
    }
    loaded_ = true;
    return true;
}

std::vector<std::string> WordForms::LemmasOf(std::string_view form) const {
    std::vector<std::string> lemmas;
    if (form.empty() || form.size() > kMaxWordLength || !Load() || !Find(form, &lemmas)) {
        lemmas.clear();
    }
    return lemmas;
}

// Finds `form`'s block by the blocks' first forms, then walks the block rebuilding each form
// from the one before it. False when the block is damaged.
bool WordForms::Find(std::string_view form, std::vector<std::string>* lemmas) const {
    const unsigned char* lemmaOffsets = data_.data() + kWordFormsHeaderSize;
    const unsigned char* lemmaText = lemmaOffsets + 4 * (static_cast<size_t>(lemmaCount_) + 1);
    const unsigned char* blockOffsets = lemmaText + lemmaTextSize_;
    const unsigned char* blocks = blockOffsets + 4 * static_cast<size_t>(blockCount_);
    const unsigned char* blocksEnd = blocks + blocksSize_;

    auto blockStart = [&](uint32_t i) { return blocks + GetU32(blockOffsets + 4 * i); };
    // A block's first form is stored whole: no shared prefix, then its length and bytes.
    auto firstForm = [&](uint32_t i, std::string_view* out) {
        const unsigned char* p = blockStart(i);
        if (blocksEnd - p < 2 || p[0] != 0 || blocksEnd - p - 2 < p[1]) {
            return false;
        }
        *out = std::string_view(reinterpret_cast<const char*>(p + 2), p[1]);
        return true;
    };

    // The last block whose first form is not after `form`.
    uint32_t low = 0;
    uint32_t high = blockCount_;
    while (low < high) {
        uint32_t middle = low + (high - low) / 2;
        std::string_view first;
        if (!firstForm(middle, &first)) {
            return false;
        }
        if (first <= form) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low == 0) {
        return true;
    }
    uint32_t block = low - 1;
    const unsigned char* p = blockStart(block);
    const unsigned char* end = block + 1 < blockCount_ ? blockStart(block + 1) : blocksEnd;

    char key[kMaxWordLength];
    size_t keyLength = 0;
    while (p < end) {
        if (end - p < 2 || p[0] > keyLength || end - p - 2 < p[1] ||
            static_cast<size_t>(p[0]) + p[1] > kMaxWordLength) {
            return false;
        }
        keyLength = p[0];
        memcpy(key + keyLength, p + 2, p[1]);
        keyLength += p[1];
        p += 2 + p[1];
        if (p >= end) {
            return false;
        }
        unsigned count = *p++;
        int order = std::string_view(key, keyLength).compare(form);
        for (unsigned i = 0; i < count; ++i) {
            uint32_t id = 0;
            if (!GetVarint(&p, end, &id) || id >= lemmaCount_) {
                return false;
            }
            if (order == 0) {
                uint32_t from = GetU32(lemmaOffsets + 4 * id);
                uint32_t to = GetU32(lemmaOffsets + 4 * (id + 1));
                lemmas->emplace_back(reinterpret_cast<const char*>(lemmaText + from), to - from);
            }
        }
        if (order >= 0) {
            return true;
        }
    }
    return true;
}
