// Lookups that need guesses, over the real GRENG and word-form table of the staged program
// folder (the `dictionaries` target builds them): misspellings by ear, Greeklish, inflected
// forms, a word that is a headword
// (which must cost what it cost before the guesses), and the first miss, which reads the
// dictionary's headwords into the sound-alike index. Prints the medians of each kind, then runs
// them as Google Benchmarks.
//
//   engine_guess_benchmark [DIR] [--benchmark_... flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/code_pages.h"
#include "engine/guesses.h"
#include "engine/plain_lookup_view.h"
#include "engine/search.h"
#include "engine/word_forms.h"

namespace {

Engine* engine = new Engine;
Guesser* guesser = new Guesser;
PlainLookupView view;
SearchOptions options;

struct Kind {
    const char* name;
    std::vector<const char*> words;  // UTF-8
    std::vector<std::string> stored;
};

std::vector<Kind> kinds = {
    {"exact", {"λόγος", "σπίτι", "θάλασσα", "house", "καλημέρα", "ελληνικός"}, {}},
    {"misspelt", {"σπήτι", "ελινικός", "ικογένεια", "εφχαριστώ", "αφτοκίνητο", "κερός"}, {}},
    {"greeklish", {"kalimera", "spiti", "efharisto", "8alassa", "xenos", "psomi"}, {}},
    {"inflected", {"σπιτιού", "λόγου", "έγραψα", "παιδιά", "ήρθα", "θάλασσες"}, {}},
};

void Search(const std::string& word, bool greek) {
    char query[100];
    snprintf(query, sizeof query, "%s", word.c_str());
    options.queryScript = greek ? QueryScript::kGreek : QueryScript::kLatin;
    SearchWord(*engine, view, options, query);
}

double MedianMicroseconds(const Kind& kind) {
    std::vector<double> times;
    for (int round = 0; round < 50; ++round) {
        for (size_t i = 0; i < kind.stored.size(); ++i) {
            auto start = std::chrono::steady_clock::now();
            Search(kind.stored[i], IsGreekTypedText(kind.words[i]));
            auto end = std::chrono::steady_clock::now();
            times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BM_Lookup(benchmark::State& state, const Kind* kind) {
    size_t i = 0;
    for (auto _ : state) {
        Search(kind->stored[i], IsGreekTypedText(kind->words[i]));
        benchmark::DoNotOptimize(view.words.Count());
        i = (i + 1) % kind->stored.size();
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir = WORDMERE_DIST_DIR;
    if (argc > 1 && argv[1][0] != '-') {
        dir = argv[1];
        --argc;
        ++argv;
    }
    if (!OpenSingleDictionary(*engine, &view, dir.c_str(), "GRENG")) {
        fprintf(stderr, "cannot open GRENG in %s\n", dir.c_str());
        return 1;
    }
    options.accent = true;
    options.root = true;
    for (Kind& kind : kinds) {
        for (const char* word : kind.words) {
            std::string stored;
            EncodeError error;
            TypedToStored(std::string(word), &stored, &error);
            kind.stored.push_back(stored);
        }
    }
    // Before the guesser: the exact search as it always was.
    double before = MedianMicroseconds(kinds[0]);
    guesser->SetFormLemmas(WordFormsLemmas(dir + "/" + kWordFormsFileName));
    engine->guesser = guesser;
    auto start = std::chrono::steady_clock::now();
    Search(kinds[1].stored[0], true);
    auto end = std::chrono::steady_clock::now();
    printf("first miss (reads the headwords and the forms table): %.1f ms\n",
           std::chrono::duration<double, std::milli>(end - start).count());
    printf("%-12s median %8.1f us  (no guesser)\n", "exact", before);
    for (const Kind& kind : kinds) {
        printf("%-12s median %8.1f us\n", kind.name, MedianMicroseconds(kind));
    }
    for (const Kind& kind : kinds) {
        benchmark::RegisterBenchmark((std::string("BM_Lookup/") + kind.name).c_str(), BM_Lookup,
                                     &kind);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
