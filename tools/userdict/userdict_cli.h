// wordmere-userdict: the user's own words of a dictionary, from the shell, through the same
// data operations as the maintenance dialog (records by index, no list box in between).
//
//   wordmere-userdict [--dir DIR] [--dict NAME] list [PREFIX]
//   wordmere-userdict [--dir DIR] [--dict NAME] add WORD TRANSLATION
//   wordmere-userdict [--dir DIR] [--dict NAME] replace WORD TRANSLATION
//   wordmere-userdict [--dir DIR] [--dict NAME] replace --record N WORD TRANSLATION
//   wordmere-userdict [--dir DIR] [--dict NAME] delete WORD
//   wordmere-userdict [--dir DIR] [--dict NAME] delete --record N
//
// Words and translations are UTF-8; several translations are separated by commas. The file is
// NAME.usr beside the dictionary (GRENG by default). list prints "index<TAB>word<TAB>
// translation" per record whose word begins with PREFIX (folded as the search folds),
// sorted as the dialog's list sorts; deleted records and records that hold no word are left
// out. replace and delete act on the first record whose word is WORD (cut to 28 characters, as
// stored), or on record N, and write only while that record still holds what it was found by.
// Exit status: list 0 found, 1 nothing listed, 2 on an error; add, replace and delete 0 when
// the file changed, 1 no such word or record and 2 on an error, neither of which changed it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct UserDictRequest {
    std::string dir;
    std::string dictionary = "GRENG";
    std::string command;  // list, add, replace, delete
    std::vector<std::string> operands;
    long record = -1;  // --record N
};

bool ParseUserDictArguments(int argc, const char* const* argv, UserDictRequest& request,
                            std::string& error);

// Runs the command; `out` receives the listing or a one-line note of what changed, `error`
// the message of a failure. Returns the exit status.
int RunUserDict(const UserDictRequest& request, std::string& out, std::string& error);
// The same, with a step run between finding the record a replace or delete acts on (its index)
// and rewriting it: where another session's write can come between the two.
int RunUserDictWithStep(const UserDictRequest& request, std::string& out, std::string& error,
                        const std::function<void(uint32_t)>& betweenFindAndWrite);
// Whether a run that ended with `status` changed the file.
bool UserDictRunChangedFile(const UserDictRequest& request, int status);

extern const char kUserDictUsage[];
