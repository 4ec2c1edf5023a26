// wordmere-wordforms: builds the Greek word-form table, or asks one.
//
//   wordmere-wordforms --source GRENG.txt --wordlist el_GR.dic --irregular FILE OUT
//   wordmere-wordforms --query TABLE < words
//
// The first writes the table (to a temporary file beside OUT, renamed over it) and prints what
// it holds; the second prints, for each UTF-8 word read, the word and its headwords, tab
// separated.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/code_pages.h"
#include "engine/word_forms.h"
#include "tools/wordforms/form_table.h"

namespace {

bool ReadWholeFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return !in.bad();
}

int Usage() {
    std::fprintf(stderr,
                 "usage: wordmere-wordforms --source SOURCE.txt --wordlist LIST.dic "
                 "--irregular TABLE.txt OUT\n"
                 "       wordmere-wordforms --query TABLE < words\n");
    return 2;
}

int Query(const std::string& path) {
    WordForms forms;
    if (!forms.Open(path)) {
        std::fprintf(stderr, "wordmere-wordforms: %s: not a word-form table\n", path.c_str());
        return 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        std::string stored;
        EncodeError error;
        std::cout << line;
        if (TypedToStored(line, &stored, &error)) {
            for (const std::string& lemma : forms.LemmasOf(stored)) {
                std::cout << '\t' << StoredToUtf8As(lemma.c_str(), CodePage::kWindows1253);
            }
        }
        std::cout << '\n';
    }
    return 0;
}

int Build(const std::string& sourcePath, const std::string& listPath,
          const std::string& irregularPath, const std::string& outPath) {
    std::string source;
    std::string list;
    std::string irregularText;
    for (auto [path, text] : {std::pair{&sourcePath, &source}, std::pair{&listPath, &list},
                              std::pair{&irregularPath, &irregularText}}) {
        if (!ReadWholeFile(*path, text)) {
            std::fprintf(stderr, "wordmere-wordforms: cannot read %s\n", path->c_str());
            return 1;
        }
    }
    std::vector<IrregularForms> irregular;
    std::string error;
    if (!ReadIrregularTable(irregularText, &irregular, &error)) {
        std::fprintf(stderr, "%s:%s\n", irregularPath.c_str(), error.c_str());
        return 1;
    }
    std::vector<SourceHeadword> headwords = ReadSourceHeadwords(source);
    std::vector<std::string> attested = ReadAttestedForms(list);
    std::vector<WordFormEntry> entries = BuildFormEntries(headwords, attested, irregular);
    std::string bytes = BuildWordFormsFile(entries);

    std::string temporary = outPath + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::fprintf(stderr, "wordmere-wordforms: cannot write %s\n", temporary.c_str());
            std::remove(temporary.c_str());
            return 1;
        }
    }
    if (std::rename(temporary.c_str(), outPath.c_str()) != 0) {
        std::fprintf(stderr, "wordmere-wordforms: cannot replace %s\n", outPath.c_str());
        std::remove(temporary.c_str());
        return 1;
    }
    size_t pairs = 0;
    for (const WordFormEntry& entry : entries) {
        pairs += entry.lemmas.size();
    }
    std::printf(
        "%s: %zu forms of %zu headwords (%zu pairs; %zu attested forms, %zu irregular "
        "lines), %zu bytes\n",
        outPath.c_str(), entries.size(), headwords.size(), pairs, attested.size(), irregular.size(),
        bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--query") {
        return Query(args[1]);
    }
    std::string source;
    std::string list;
    std::string irregular;
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string* value = nullptr;
        if (args[i] == "--source") {
            value = &source;
        } else if (args[i] == "--wordlist") {
            value = &list;
        } else if (args[i] == "--irregular") {
            value = &irregular;
        } else if (out.empty() && args[i].rfind("--", 0) != 0) {
            out = args[i];
            continue;
        } else {
            return Usage();
        }
        if (++i == args.size()) {
            return Usage();
        }
        *value = args[i];
    }
    if (source.empty() || list.empty() || irregular.empty() || out.empty()) {
        return Usage();
    }
    return Build(source, list, irregular, out);
}
