#include <cstdio>

#include "tools/lookup/lookup_platform.h"

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::string NativePath(const std::string& utf8) {
    return utf8;
}

std::string DefaultDictionaryDir() {
    return WORDMERE_LOOKUP_DEFAULT_DIR;
}

void WriteOut(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void WriteError(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
}
