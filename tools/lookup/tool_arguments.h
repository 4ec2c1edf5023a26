// What the shell tools' argument parsers share: dictionary base names and the argument array.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A base name is what stands before .dic in the program directory: the dictionary list
// never offers a longer one.
constexpr size_t kMaxBaseName = 19;

// Letters, digits, '_' and '-', 1 to kMaxBaseName of them: nothing that could name a file
// outside the dictionary directory.
bool IsBaseName(const std::string& name);

// The ASCII letters in upper case, as the program directory's file names are written.
std::string UpperAscii(std::string text);

// The C-style argument array the parsers take, pointing into `args` (valid while it lives).
std::vector<const char*> ArgumentPointers(const std::vector<std::string>& args);
