// SearchWord over a generated Greek dictionary of 60,000 entries, 3-letter queries with
// accent folding on. Reports the time per search (median over repetitions) and the heap
// allocations per search, counted by replacing the global operator new.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/plain_lookup_view.h"
#include "engine/search.h"
#include "tools/dictc/dictc.h"

namespace {

std::atomic<long> allocations{0};

constexpr int kEntries = 60000;

// Greek letters of Windows-1253 with some accented vowels.
const unsigned char kLetters[] = {0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB,
                                  0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7,
                                  0xF8, 0xF9, 0xDC, 0xDD, 0xDE, 0xDF, 0xFC, 0xFD, 0xFE};

struct Fixture {
    std::string dir;
    std::vector<std::string> queries;
    Engine* engine = new Engine;
};

Fixture& Dictionary() {
    static Fixture* fixture = [] {
        Fixture* f = new Fixture;
        std::mt19937 random(12345);
        DictionarySourceFile source;
        source.key = "27182818";
        for (int i = 0; i < kEntries; ++i) {
            SourceLineEntry entry;
            int length = 4 + static_cast<int>(random() % 8);
            for (int k = 0; k < length; ++k) {
                entry.headword += static_cast<char>(kLetters[random() % sizeof kLetters]);
            }
            entry.greek = true;
            int items = 1 + static_cast<int>(random() % 3);
            for (int k = 0; k < items; ++k) {
                entry.items.push_back("meaning " + std::to_string(random() % 100000));
            }
            if (i % 97 == 0) {
                f->queries.push_back(entry.headword.substr(0, 3));
            }
            source.entries.push_back(entry);
        }
        std::string body;
        std::string index;
        std::vector<std::string> messages;
        BuildDictionary(source, &body, &index, &messages);
        char dir[] = "/tmp/wordmere-bench.XXXXXX";
        f->dir = mkdtemp(dir);
        for (const char* ext : {".dic", ".ind"}) {
            FILE* file = fopen((f->dir + "/BENCH" + ext).c_str(), "wb");
            const std::string& bytes = ext[1] == 'd' ? body : index;
            fwrite(bytes.data(), 1, bytes.size(), file);
            fclose(file);
        }
        if (!OpenSingleDictionary(*f->engine, nullptr, f->dir.c_str(), "BENCH")) {
            fprintf(stderr, "cannot open the generated dictionary\n");
            exit(1);
        }
        // The open files stay readable; nothing is left behind in /tmp.
        remove((f->dir + "/BENCH.dic").c_str());
        remove((f->dir + "/BENCH.ind").c_str());
        rmdir(f->dir.c_str());
        printf("dictionary: %d entries, %zu bytes body, %zu bytes index\n", kEntries, body.size(),
               index.size());
        return f;
    }();
    return *fixture;
}

void BM_SearchWord(benchmark::State& state) {
    Fixture& f = Dictionary();
    PlainLookupView view;
    SearchOptions options;
    options.accent = true;
    char query[100];
    size_t next = 0;
    // Warm the lists' storage so that only the search itself is measured.
    for (const std::string& q : f.queries) {
        snprintf(query, sizeof query, "%s", q.c_str());
        SearchWord(*f.engine, view, options, query);
    }
    long listed = 0;
    long before = allocations.load();
    for (auto _ : state) {
        const std::string& q = f.queries[next++ % f.queries.size()];
        snprintf(query, sizeof query, "%s", q.c_str());
        benchmark::DoNotOptimize(SearchWord(*f.engine, view, options, query));
        listed += view.words.Count();
    }
    long counted = allocations.load() - before;
    state.counters["allocs_per_search"] =
        benchmark::Counter(static_cast<double>(counted), benchmark::Counter::kAvgIterations);
    state.counters["words_per_search"] =
        benchmark::Counter(static_cast<double>(listed), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SearchWord)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace

// Replacing the global allocation functions is the point here; GCC cannot see that the
// library's sized deletes pair with this operator new.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(size_t size) {
    ++allocations;
    void* p = malloc(size ? size : 1);
    if (!p) {
        throw std::bad_alloc();
    }
    return p;
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    free(p);
}
void operator delete[](void* p) noexcept {
    free(p);
}
void operator delete(void* p, size_t) noexcept {
    free(p);
}
void operator delete[](void* p, size_t) noexcept {
    free(p);
}

BENCHMARK_MAIN();
