// The user dictionary: the user's own words beside a dictionary ("BASE.usr"), a flat run of
// 130-byte records (word, translation) with no header or index. Records are appended,
// overwritten in place or marked deleted, never moved, so a record's index never changes; a
// list item that shows one carries 0x80000000 + its index as item data.
//
// Two ways in. The lookup window searches the engine's read-only userDict handle (the
// catalogue opens it at each dictionary change, and afresh whenever the lookup window becomes
// active and after the maintenance dialog) through the engine hooks that
// InstallUserDictHooks sets. The maintenance dialog and wordmere-userdict open a UserDict and
// work on records by index: list by prefix into a sink, load, append, replace, mark deleted.
//
// The program and the shell tool may edit one file at the same time. Appends land at the real
// end of the file and report where they landed; replace and delete lock the record while they
// check and write it; closing removes a file only when it is still empty under the lock that
// appends take too. A write that fails leaves the file as it was.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/dictionary.h"
#include "engine/lookup_view.h"

constexpr size_t kUserDictRecordSize = 130;
constexpr size_t kUserDictWordSize = 30;          // word field
constexpr size_t kUserDictTranslationSize = 100;  // translation field
constexpr size_t kUserDictMaxWord = 28;           // characters taken from the word edit
constexpr size_t kUserDictMaxTranslation = 98;    // characters taken from the translation edit
constexpr char kUserDictDeletedMarker[] = "&&*!@@ Deleted";
constexpr size_t kUserDictPathSize = 520;
// Records read at once by a search of an open UserDict.
constexpr size_t kUserDictRecordsPerChunk = 200;

struct UserDictRecord {
    char word[kUserDictWordSize];
    char translation[kUserDictTranslationSize];
};
static_assert(sizeof(UserDictRecord) == kUserDictRecordSize, "a record is 130 bytes");

// Fills a record from two texts, cut to 28 and 98 characters; every byte after each field's
// terminator is zero.
void MakeUserDictRecord(const char* word, const char* translation, UserDictRecord* record);
// A field's text up to its terminator, never past the field (out holds the field's size).
void UserDictFieldText(const char* field, size_t size, char* out);
// True for a word field that reads as the deleted marker. No word the user gives may: it
// would be stored as a deleted record.
bool IsDeletedUserDictWord(const char* word);

enum class UserDictResult {
    kOk,
    kNotOpen,       // no file is open, or it is open read-only and a write was asked for
    kMissing,       // the file does not exist (opened for reading only)
    kDirectory,     // the name is a directory
    kNotRegular,    // the name is a device, a pipe or another file that is not a plain file
    kCannotOpen,    // the system refused to open or create it
    kReadError,     // nothing was written
    kWriteError,    // the file is as it was
    kNoRecord,      // the index lies past the last record
    kDeleted,       // the record is marked deleted already
    kMarkerWord,    // the word would read as the deleted marker; nothing was written
    kChanged,       // the record no longer holds the word it was found by; nothing was written
    kNoPermission,  // the system does not let this user open the file (so, or for writing)
};
// A short English description of a result, for messages after the file's name.
const char* UserDictResultText(UserDictResult result);

struct UserDictHandle;
struct UserDict {
    UserDictHandle* handle = nullptr;
    bool writable = false;
    char path[kUserDictPathSize] = {};
    char chunk[kUserDictRecordsPerChunk * kUserDictRecordSize];
};

// Receives the records a search finds, in file order.
class UserDictSink {
public:
    virtual ~UserDictSink() = default;
    virtual void Found(uint32_t index, const UserDictRecord& record) = 0;
};

// Adds each found word to a list box with 0x80000000 + its index as item data; a word the list
// refuses is left out and the search goes on.
class UserDictListSink : public UserDictSink {
public:
    explicit UserDictListSink(ListBox& list) : list_(list) {}
    void Found(uint32_t index, const UserDictRecord& record) override;

private:
    ListBox& list_;
};

// Opens `path`: for editing (read-write, created when missing) or for reading only. A name
// that is not a regular file is refused.
UserDictResult OpenUserDict(UserDict& dict, const char* path, bool forEdit);
// Closes the file. A file opened for editing that is still empty under the append lock is
// removed.
void CloseUserDict(UserDict& dict);
// Passes every record whose word, folded as the search folds, begins with the folded `text` to
// the sink, in file order. A final record cut short counts as one more record with zeros after
// its end. Deleted records are found only by a text that begins like the marker.
UserDictResult ListUserDict(UserDict& dict, const char* text, UserDictSink& sink);
UserDictResult LoadUserDictRecord(UserDict& dict, uint32_t index, UserDictRecord* record);
// Adds a record at the end of the file; `index` receives the index where it landed.
UserDictResult AppendUserDictRecord(UserDict& dict, const UserDictRecord& record, uint32_t* index);
// Replace and delete act on a record found earlier, without a lock: another session may have
// rewritten it since. Under the record's lock they check that it still holds `expectedWord`
// (the word it was found by; nullptr for a record chosen by its index, which must merely not
// be deleted) and write nothing otherwise (kChanged, or kDeleted for a deleted record).
// Overwrites an existing record; nothing is written when it cannot be read.
UserDictResult ReplaceUserDictRecord(UserDict& dict, uint32_t index, const UserDictRecord& record,
                                     const char* expectedWord);
// Writes the marker over an existing record's word; the translation stays.
UserDictResult MarkUserDictRecordDeleted(UserDict& dict, uint32_t index, const char* expectedWord);
// Whether a record's word field reads as `word` (at most 28 characters of it, as stored).
bool UserDictWordIs(const UserDictRecord& record, const char* word);

// The lookup window's side, over the engine's read-only handle.
// Adds the matches for `text` to `list`, as ListUserDict finds them.
void ListUserDictMatches(Engine& engine, DiskErrorSink* owner, ListBox& list, const char* text);
// Adds the pieces of a record's translation (split at commas, untrimmed; an empty piece
// between two commas is an empty line) to the lookup dialog's translation list.
void ListUserDictTranslations(Engine& engine, LookupView& view, uint32_t itemData);
// Lets the search list user words and show their translations (engine hooks).
void InstallUserDictHooks(Engine& engine);
