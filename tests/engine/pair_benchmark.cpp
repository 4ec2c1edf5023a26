// Translation through the pair FRENCH-->ITALIAN of the real dictionaries (the `dictionaries`
// target stages them): for each of 500 everyday French words that is a headword, the time to
// fill the translation list for the selected word (ShowPairTranslations: pivots, second
// dictionary, reverse checks). Prints the median, 90th percentile and maximum over the words,
// then runs the same work as a Google Benchmark cycling through the words.
//
//   engine_pair_benchmark [DIR] [--benchmark_... flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "engine/code_pages.h"
#include "engine/pair_translation.h"
#include "engine/plain_lookup_view.h"
#include "engine/search.h"

namespace {

class BenchDialog : public CatalogueDialog {
public:
    DictionaryList& Dictionaries() override { return list; }
    void SetTitle(const char*) override {}
    void ApplyKeyboardDescription(const char*) override {}
    void ShowInformation(unsigned) override {}
    void RememberedDictionary(char* buffer, size_t size) override {
        snprintf(buffer, size, "French-->Italian Dictionary");
    }
    void ShowDiskError() override {}
    PlainDictionaryList list;
};

struct Prepared {
    std::string word;  // stored bytes
    int index;         // the headword's place in the word list
};

Engine* engine = new Engine;
PlainLookupView view;
SearchOptions options;
std::vector<Prepared> prepared;

void Select(const Prepared& p) {
    char query[100];
    snprintf(query, sizeof query, "%s", p.word.c_str());
    SearchWord(*engine, view, options, query);
    view.words.Select(p.index);
}

double TranslateMicroseconds(const Prepared& p) {
    Select(p);
    double best[5];
    for (double& t : best) {
        auto start = std::chrono::steady_clock::now();
        ShowPairTranslations(*engine, view, options);
        auto end = std::chrono::steady_clock::now();
        t = std::chrono::duration<double, std::micro>(end - start).count();
    }
    std::sort(best, best + 5);
    return best[2];
}

void BM_PairTranslation(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Select(prepared[i]);
        state.ResumeTiming();
        ShowPairTranslations(*engine, view, options);
        benchmark::DoNotOptimize(view.translations.Count());
        i = (i + 1) % prepared.size();
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir = WORDMERE_DIST_DIR;
    if (argc > 1 && std::strncmp(argv[1], "--", 2) != 0) {
        dir = argv[1];
        --argc;
        ++argv;
    }
    std::unique_ptr<Catalogue> catalogue(new Catalogue);
    snprintf(catalogue->programDir, sizeof catalogue->programDir, "%s", dir.c_str());
    BenchDialog dialog;
    if (!OpenSelectedDictionary(*engine, *catalogue, &dialog) || !engine->pairMode ||
        std::strcmp(engine->trailer.titleEnglish, "French-->Italian Dictionary") != 0) {
        fprintf(stderr, "%s: FRENCH and ITALIAN not found (build the dictionaries target)\n",
                dir.c_str());
        return 2;
    }
    options.accent = true;
    options.root = true;

    std::ifstream in(WORDMERE_ENGINE_TEST_DATA "/french_frequent.txt");
    std::string line;
    int words = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        ++words;
        std::string stored;
        EncodeError error;
        if (!Utf8ToStored(line, &stored, &error)) {
            continue;
        }
        char query[100];
        snprintf(query, sizeof query, "%s", stored.c_str());
        SearchWord(*engine, view, options, query);
        for (int i = 0; i < view.words.Count(); ++i) {
            if (stored == view.words.TextAt(i)) {
                prepared.push_back({stored, i});
                break;
            }
        }
    }
    if (prepared.empty()) {
        fprintf(stderr, "none of the words is a FRENCH headword\n");
        return 2;
    }

    std::vector<double> times;
    int translated = 0;
    for (const Prepared& p : prepared) {
        times.push_back(TranslateMicroseconds(p));
        translated += view.translations.Count() > 0;
    }
    std::sort(times.begin(), times.end());
    auto at = [&](double q) { return times[static_cast<size_t>(q * (times.size() - 1))]; };
    printf("pair translation FRENCH-->ITALIAN: %zu of %d words are headwords, %d translated\n",
           prepared.size(), words, translated);
    printf("per word (median of 5 runs): median %.1f us, p90 %.1f us, max %.1f us\n", at(0.5),
           at(0.9), times.back());

    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("PairTranslation/FrenchToItalian", BM_PairTranslation);
    benchmark::RunSpecifiedBenchmarks();
    CloseDictionaryFiles(*engine);
    return 0;
}
