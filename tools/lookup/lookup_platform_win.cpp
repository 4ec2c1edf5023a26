#include <windows.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/lookup/lookup_platform.h"

namespace {

std::string Convert(const wchar_t* text, UINT codePage) {
    int n = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) {
        return "";
    }
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

// The console shows UTF-8 only when asked to; a redirected stream takes the bytes as they are.
// Returns whether all of it was written and flushed.
bool Write(FILE* stream, DWORD handleId, const std::string& text) {
    HANDLE handle = GetStdHandle(handleId);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        SetConsoleOutputCP(CP_UTF8);
    }
    bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    return std::fflush(stream) == 0 && written && !std::ferror(stream);
}

}  // namespace

std::vector<std::string> Utf8Arguments(int, char**) {
    // The narrow argv holds the ANSI code page's reading of the command line; the word may be
    // Greek on any system, so the arguments come from the UTF-16 command line instead.
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) {
        return args;
    }
    for (int i = 1; i < count; ++i) {
        args.push_back(Convert(wide[i], CP_UTF8));
    }
    LocalFree(wide);
    return args;
}

std::string NativePath(const std::string& utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (n <= 0) {
        return utf8;
    }
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], n);
    return Convert(wide.c_str(), CP_ACP);
}

std::string ExecutableDir() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return ".";
    }
    wchar_t* slash = wcsrchr(path, L'\\');
    if (slash) {
        *slash = L'\0';
    }
    return Convert(path, CP_UTF8);
}

std::string WriteOut(const std::string& text) {
    errno = 0;
    if (Write(stdout, STD_OUTPUT_HANDLE, text)) {
        return "";
    }
    return std::strerror(errno != 0 ? errno : EIO);
}

void WriteError(const std::string& text) {
    Write(stderr, STD_ERROR_HANDLE, text);
}
