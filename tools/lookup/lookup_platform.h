// What the command-line lookup needs of the operating system.
#pragma once

#include <string>
#include <vector>

// The command-line arguments after the program name, as UTF-8.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// A UTF-8 path in the form the C library's fopen expects.
std::string NativePath(const std::string& utf8);

// The directory of the running executable, as UTF-8; "." when the system does not tell.
std::string ExecutableDir();

// Writes UTF-8 text to standard output and flushes it; "" when all of it got there, else the
// reason it did not (a full disk, a closed output), for the message of exit status 2.
std::string WriteOut(const std::string& text);
// Writes UTF-8 text to standard error.
void WriteError(const std::string& text);
