// Feeds arbitrary index and body bytes to the search: the first two input bytes give the
// index length, then come the index and the body. The body's own trailer gives the key when it
// is valid; otherwise the first body bytes do. Every third input has its body repeated past
// two chunk sizes, so that chunk extension and the cutting of overlong entries are reached
// with inputs of a few kilobytes. The index check runs over the index, then a few queries of
// both scripts run over it with small lists; last, the input as typed text is converted.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <string>

#include "engine/code_pages.h"
#include "engine/plain_lookup_view.h"
#include "engine/search.h"

namespace {

Engine& SharedEngine() {
    static Engine* engine = new Engine;
    return *engine;
}

constexpr size_t kRepeatedBodySize = 2 * kChunkSize + 5000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    size_t indexLength = (data[0] | data[1] << 8) % (size - 2 + 1);
    const uint8_t* index = data + 2;
    const uint8_t* body = index + indexLength;
    size_t bodyLength = size - 2 - indexLength;

    static std::vector<uint8_t> repeated;
    if (size % 3 == 0 && bodyLength > 0) {
        repeated.resize(kRepeatedBodySize);
        for (size_t i = 0; i < kRepeatedBodySize; ++i) {
            repeated[i] = body[i % bodyLength];
        }
        body = repeated.data();
        bodyLength = kRepeatedBodySize;
    }

    Engine& engine = SharedEngine();
    engine.mainIndex = OpenMemoryDictFile(index, indexLength);
    engine.mainBody = OpenMemoryDictFile(body, bodyLength);
    memset(&engine.trailer, 0, sizeof engine.trailer);
    if (!ReadTrailer(nullptr, engine.mainBody, &engine.trailer)) {
        engine.trailer.keyLength = static_cast<uint8_t>(bodyLength > 0 ? body[0] % 13 : 0);
        for (size_t i = 0; i < engine.trailer.keyLength && i < bodyLength; ++i) {
            engine.trailer.key[i] = body[i];
        }
    }
    engine.pairMode = size % 2 == 0;
    // The index check must end, in bounded memory, whatever the index holds.
    CheckDictionaryIndex(engine.mainIndex, bodyLength);
    SeekDictFile(engine.mainIndex, 0);

    PlainLookupView view(50, 20);
    SearchOptions options;
    options.accent = (size & 4) != 0;
    options.root = true;
    options.queryScript = static_cast<QueryScript>((size >> 3) % 3);
    const char* queries[] = {
        "a", "ab", "abcdef", "\xE1", "\xE1\xE2\xE3\xE4", " x", "\xC1\xEB\xF6\xE1"};
    for (const char* q : queries) {
        char query[100];
        snprintf(query, sizeof query, "%s", q);
        SearchWord(engine, view, options, query);
        for (int i = 0; i < view.words.Count(); ++i) {
            view.words.Select(i);
            ShowTranslations(engine, view, options);
        }
    }

    // The pivot words of a language pair come from the same splitting.
    ClearPivots(engine);
    size_t n = bodyLength < kEngineBufferSize ? bodyLength : kEngineBufferSize;
    memcpy(engine.bufferA, body, n);
    engine.bufferA[n] = '\0';
    SplitTranslations(engine, view, 0, SplitMode::kCollect);
    CloseDictionaryFiles(engine);

    // Typed text of any bytes converts or is refused, and its script is told.
    std::string typed(reinterpret_cast<const char*>(data), size < 300 ? size : 300);
    std::string stored;
    EncodeError error;
    TypedToStored(typed, &stored, &error);
    IsGreekTypedText(typed);
    std::u16string units(typed.size() / 2, u'\0');
    memcpy(&units[0], typed.data(), units.size() * 2);
    TypedToStored(units, &stored, &error);
    IsGreekTypedText(units);
    return 0;
}
