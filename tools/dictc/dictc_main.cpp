// wordmere-dictc [--skip-bad] SOURCE.txt OUTDIR/BASE: compiles a dictionary source into
// OUTDIR/BASE.dic and OUTDIR/BASE.ind.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/dictc/dictc.h"

int main(int argc, char** argv) {
    bool skipBad = false;
    std::vector<const char*> args;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--skip-bad") == 0) {
            skipBad = true;
        } else {
            args.push_back(argv[i]);
        }
    }
    if (args.size() != 2) {
        fprintf(stderr, "usage: wordmere-dictc [--skip-bad] SOURCE.txt OUTDIR/BASE\n");
        return 2;
    }
    std::string summary;
    std::vector<std::string> messages;
    bool ok = CompileDictionaryFile(args[0], args[1], skipBad, &summary, &messages);
    for (const std::string& message : messages) {
        fprintf(stderr, "%s\n", message.c_str());
    }
    if (!ok) {
        fprintf(stderr, "wordmere-dictc: nothing written\n");
        return 1;
    }
    printf("%s\n", summary.c_str());
    return 0;
}
