// The About dialog's list of information lines, built from the current dictionary's lines.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/dictionary.h"

// A short list is padded to this many items, so that its lines sit in the middle of the box.
constexpr size_t kAboutListItems = 11;
constexpr size_t kAboutLineSize = 70;  // a line of the trailer, terminator included

// The items of the list: each line in order until the first empty one (which still gives one
// empty item). Within a line "@line " (the word in any case) starts a separator: an empty item
// is added at once and the marker is not copied; "@" with any other word drops the marker
// without a separator. A list of up to 10 items gets (11 - count) / 2 empty items on top and
// is filled with empty items to 11.
std::vector<std::string> AboutListItems(const char (*lines)[kAboutLineSize], size_t lineCount);
// The items for a language pair, which is made of two dictionaries' data: the first one's items
// (their closing empty item parts them), then the second one's, padded the same way.
std::vector<std::string> AboutPairListItems(const char (*first)[kAboutLineSize],
                                            const char (*second)[kAboutLineSize], size_t lineCount);

// The About lines of an open dictionary: those its trailer holds. A built-in dictionary's
// trailer is the program's own, but its body may end with a trailer that carries the lines of
// the data it was built from; those then replace the built-in ones.
void TakeStoredAboutLines(DictFile* body, DictionaryTrailer* trailer);
