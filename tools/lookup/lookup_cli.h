// wordmere-lookup: the word search of the lookup window, from the shell.
//
//   wordmere-lookup [--dir DIR] [--dict NAME | --pair A:B] [--user] [--no-accent] [--no-root]
//                   [--no-guess] [--phrases] [--json] WORD
//   wordmere-lookup [--dir DIR] [--dict NAME] [...] --words-from FILE
//   wordmere-lookup [--dir DIR] [--greek] --list
//
// The word (UTF-8) is lower-cased like the lookup window does and searched with SearchWord
// over the dictionary's files, Accent and Root on as on a first run. --pair translates from
// A's language to B's through Greek, as the lookup window does for the list entry A-->B;
// --user searches the user dictionary (BASE.usr) too, marking its words. --list prints the
// dictionary list as the lookup window builds and sorts it.
//
// A word that is no headword gets the lookup window's guesses ahead of (or, for a Latin word
// with English matches, after) what the search lists: the headword it is a form of, headwords
// that sound like it, the Greek word it spells in Latin letters. Each match says how it was
// reached: exact, prefix, form of, spelling, transliteration, phrase or closest (the closest
// word of the Root setting); --no-guess turns the guesses off. --phrases lists after a found
// word the phrases that hold it. --words-from looks up each line of FILE in turn and prints one
// JSON line per word, with its exit status as "exit".
//
// Exit status: 0 found (the word is a headword, begins headwords, or is a form of one; or a
// list), 3 only guessed (spelling, transliteration or closest word), 1 not found, 2 on an error
// (one line naming the file and the problem).
#pragma once

#include <string>

constexpr int kExitFound = 0;
constexpr int kExitNotFound = 1;
constexpr int kExitError = 2;
constexpr int kExitGuessed = 3;

struct LookupRequest {
    std::string dir;                   // the program directory holding the dictionaries
    std::string dictionary = "GRENG";  // base name, upper case
    std::string pairFirst;             // --pair A:B: base names, upper case
    std::string pairSecond;
    std::string word;  // UTF-8, as given
    bool list = false;
    bool greek = false;  // --list in the Greek interface
    bool user = false;
    bool accent = true;
    bool root = true;
    bool json = false;
    bool guess = true;
    bool phrases = false;
    std::string wordsFrom;  // --words-from FILE
};

// Parses the arguments after the program name (UTF-8). False with a usage message.
bool ParseLookupArguments(int argc, const char* const* argv, LookupRequest& request,
                          std::string& error);

// Runs the lookup; `out` receives the text or JSON output, `error` the one-line message of
// exit status 2 (or a note for people on a miss). Returns the exit status.
int RunLookup(const LookupRequest& request, std::string& out, std::string& error);

// Whether the arguments ask for the usage text (--help before any "--").
bool AsksForHelp(int argc, const char* const* argv);

// Text for a terminal: control bytes shown as \xNN.
std::string PrintableText(const std::string& utf8);

// The dictionary directory used when --dir is not given, found from the directory the tool
// runs from: that directory itself when it holds the default dictionary (the tools installed
// in the program directory), else the staged program directory of the build tree the tool
// was built in (build/native/bin -> build/dist).
std::string DefaultDictionaryDirFor(const std::string& executableDir);

// The JSON string literal of UTF-8 text.
std::string JsonString(const std::string& utf8);

extern const char kLookupUsage[];
