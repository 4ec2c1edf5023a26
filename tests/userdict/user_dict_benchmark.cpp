// A user dictionary search over a file of 10,000 records, opened read-only as the lookup
// window has it: a prefix with a few matches, a prefix with none, and one letter that matches
// about a tenth of the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include <unistd.h>

#include "engine/plain_lookup_view.h"
#include "userdict/user_dict_file.h"

namespace {

constexpr int kRecords = 10000;

struct Fixture {
    std::unique_ptr<Engine> engine{new Engine};
    std::string path;
};

Fixture& File() {
    static Fixture* fixture = [] {
        Fixture* f = new Fixture;
        f->path = (std::filesystem::temp_directory_path() /
                   ("wordmere_userdict_bench_" + std::to_string(getpid()) + ".usr"))
                      .string();
        std::mt19937 random(4242);
        FILE* out = fopen(f->path.c_str(), "wb");
        for (int i = 0; i < kRecords; ++i) {
            // Latin words of 4..12 letters; Greek ones for every third record.
            std::string word;
            int length = 4 + static_cast<int>(random() % 9);
            bool greek = i % 3 == 0;
            for (int k = 0; k < length; ++k) {
                word += greek ? static_cast<char>(0xE1 + random() % 24)
                              : static_cast<char>('a' + random() % 10);
            }
            UserDictRecord record;
            MakeUserDictRecord(word.c_str(), "translation, another one", &record);
            fwrite(&record, sizeof record, 1, out);
        }
        fclose(out);
        std::atexit([] { std::remove(File().path.c_str()); });
        f->engine->userDict = OpenDictFile(f->path.c_str(), DictFileMode::kRead);
        return f;
    }();
    return *fixture;
}

void BM_UserDictSearch(benchmark::State& state, const char* query) {
    Fixture& f = File();
    PlainListBox list(PlainListBox::kUnsorted);
    int listed = 0;
    for (auto _ : state) {
        list.Clear();
        ListUserDictMatches(*f.engine, nullptr, list, query);
        listed = list.Count();
    }
    state.counters["listed"] = listed;
}

BENCHMARK_CAPTURE(BM_UserDictSearch, few_matches, "abc")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_UserDictSearch, no_match, "zzz")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_UserDictSearch, one_letter, "a")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
