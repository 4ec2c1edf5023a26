// Feeds arbitrary bytes to the word-form table as its file. The checksum is put right first
// (when the input holds a whole header), so that the reader's checks behind it are reached;
// then a few forms are asked for: the input's own last bytes, and fixed Latin and Greek words.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/dict_file.h"
#include "engine/word_forms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;  // a memory file needs bytes to point at
    }
    std::vector<unsigned char> file(data, data + size);
    if (size >= kWordFormsHeaderSize && size % 4 != 0) {
        uint32_t sum = WordFormsChecksum(file.data(), file.size());
        for (int i = 0; i < 4; ++i) {
            file[kWordFormsChecksumOffset + i] = static_cast<unsigned char>(sum >> (8 * i));
        }
    }
    WordForms forms;
    if (!forms.OpenFile(OpenMemoryDictFile(file.data(), file.size()))) {
        return 0;
    }
    std::string tail(reinterpret_cast<const char*>(data + size - std::min<size_t>(size, 12)),
                     std::min<size_t>(size, 12));
    for (const std::string& form : {tail, std::string("ab"), std::string("\xF3\xF0\xE9\xF4\xE9")}) {
        forms.LemmasOf(form);
    }
    return 0;
}
