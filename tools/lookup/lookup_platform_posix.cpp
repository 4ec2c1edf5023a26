#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "tools/lookup/lookup_platform.h"

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::string NativePath(const std::string& utf8) {
    return utf8;
}

std::string ExecutableDir() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        return ".";
    }
    std::string dir(path, static_cast<size_t>(n));
    size_t slash = dir.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : dir.substr(0, slash);
}

std::string WriteOut(const std::string& text) {
    // A reader that went away is a write error to report, not a signal that ends the tool
    // after it changed a file and before it could say so.
    std::signal(SIGPIPE, SIG_IGN);
    errno = 0;
    bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) == 0 && written && !std::ferror(stdout)) {
        return "";
    }
    return std::strerror(errno != 0 ? errno : EIO);
}

void WriteError(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
}
