// The Greek word-form table of the staged program folder: the size of its file, what opening
// it costs (the header only), what the first question costs (it reads the table), and then
// LemmasOf over the forms of the evaluation set and as many unknown words. Prints the
// figures, then runs the same work as Google Benchmarks (use --benchmark_repetitions for
// medians).
//
//   engine_word_forms_benchmark [--benchmark_... flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/code_pages.h"
#include "engine/word_forms.h"

namespace {

const std::string kTable = std::string(WORDMERE_DIST_DIR) + "/" + kWordFormsFileName;
std::vector<std::string> forms;  // stored bytes: evaluation forms, then unknown words

std::vector<std::string> ReadForms() {
    std::vector<std::string> out;
    std::ifstream in(WORDMERE_EVALUATION_SET);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::string stored;
        EncodeError error;
        if (Utf8ToStored(line.substr(0, line.find('\t')), &stored, &error)) {
            out.push_back(stored);
        }
    }
    size_t known = out.size();
    for (size_t i = 0; i < known; ++i) {
        out.push_back(out[i] + out[(i * 7) % known]);  // no such form
    }
    return out;
}

double Microseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintFigures() {
    using Clock = std::chrono::steady_clock;
    std::vector<double> opens;
    std::vector<double> firsts;
    for (int round = 0; round < 21; ++round) {
        WordForms table;
        Clock::time_point start = Clock::now();
        table.Open(kTable);
        Clock::time_point opened = Clock::now();
        table.LemmasOf(forms[0]);
        Clock::time_point asked = Clock::now();
        opens.push_back(Microseconds(opened - start));
        firsts.push_back(Microseconds(asked - opened));
    }
    WordForms table;
    table.Open(kTable);
    table.LemmasOf(forms[0]);
    std::vector<double> lookups;
    for (const std::string& form : forms) {
        double best = 1e9;
        for (int i = 0; i < 5; ++i) {
            Clock::time_point start = Clock::now();
            benchmark::DoNotOptimize(table.LemmasOf(form));
            best = std::min(best, Microseconds(Clock::now() - start));
        }
        lookups.push_back(best);
    }
    std::sort(lookups.begin(), lookups.end());
    std::printf("%s: %ju bytes\n", kTable.c_str(),
                static_cast<uintmax_t>(std::filesystem::file_size(kTable)));
    std::printf("Open (header only): median %.1f us over 21 opens\n", Median(opens));
    std::printf("first question (reads and checks the table): median %.0f us\n", Median(firsts));
    std::printf(
        "LemmasOf over %zu words (half known forms): median %.2f us, 90th %.2f us, "
        "max %.2f us\n",
        lookups.size(), lookups[lookups.size() / 2], lookups[lookups.size() * 9 / 10],
        lookups.back());
}

void BM_Open(benchmark::State& state) {
    for (auto _ : state) {
        WordForms table;
        benchmark::DoNotOptimize(table.Open(kTable));
    }
}
BENCHMARK(BM_Open);

void BM_OpenAndFirstQuestion(benchmark::State& state) {
    for (auto _ : state) {
        WordForms table;
        table.Open(kTable);
        benchmark::DoNotOptimize(table.LemmasOf(forms[0]));
    }
}
BENCHMARK(BM_OpenAndFirstQuestion)->Unit(benchmark::kMillisecond);

void BM_LemmasOf(benchmark::State& state) {
    WordForms table;
    table.Open(kTable);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.LemmasOf(forms[i]));
        i = (i + 1) % forms.size();
    }
}
BENCHMARK(BM_LemmasOf);

}  // namespace

int main(int argc, char** argv) {
    forms = ReadForms();
    WordForms probe;
    if (forms.empty() || !probe.Open(kTable)) {
        std::fprintf(stderr, "no word-form table at %s or no forms in %s; build everything first\n",
                     kTable.c_str(), WORDMERE_EVALUATION_SET);
        return 1;
    }
    PrintFigures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
