// wordmere-userdict list over a file of 20,000 records: the whole listing, sorted, and a
// prefix that matches a tenth of it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tools/lookup/lookup_cli.h"
#include "tools/userdict/userdict_cli.h"
#include "userdict/user_dict_file.h"

namespace {

constexpr int kRecords = 20000;

// A folder with an empty GRENG.dic (the tool only checks that it exists) and the user words.
const std::string& Folder() {
    static std::string* dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "userdict_bench_XXXXXX").string();
        std::string* made = new std::string(mkdtemp(&pattern[0]) ? pattern : "");
        std::ofstream(*made + "/GRENG.dic");
        std::ofstream out(*made + "/GRENG.usr", std::ios::binary);
        std::mt19937 random(4242);
        for (int i = 0; i < kRecords; ++i) {
            std::string word;
            int length = 4 + static_cast<int>(random() % 9);
            for (int k = 0; k < length; ++k) {
                word += static_cast<char>('a' + random() % 10);
            }
            UserDictRecord record;
            MakeUserDictRecord(word.c_str(), "translation, another one", &record);
            out.write(reinterpret_cast<const char*>(&record), sizeof record);
        }
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return made;
    }();
    return *dir;
}

void BM_UserDictList(benchmark::State& state, const char* prefix) {
    UserDictRequest request;
    request.dir = Folder();
    request.command = "list";
    if (prefix[0]) {
        request.operands.push_back(prefix);
    }
    size_t lines = 0;
    for (auto _ : state) {
        std::string out, error;
        RunUserDict(request, out, error);
        lines = static_cast<size_t>(std::count(out.begin(), out.end(), '\n'));
    }
    state.counters["listed"] = static_cast<double>(lines);
}

BENCHMARK_CAPTURE(BM_UserDictList, all_20000, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UserDictList, prefix_a, "a")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
