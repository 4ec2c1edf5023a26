// The user dictionary: the user's own words beside a dictionary ("BASE.usr"), a flat run of
// 130-byte records (word, translation) with no header or index. Records are appended,
// overwritten in place or marked deleted, never moved, so a record's index never changes; a
// list item that shows one carries 0x80000000 + its index as item data.
//
// The engine's userDict handle is the open file: read-only after each dictionary change (the
// catalogue opens it), read-write while the maintenance dialog is open. The dialog wires its
// controls to UserDictDialog and calls the operations below; the lookup window reaches the file
// through the engine hooks that InstallUserDictHooks sets.
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

constexpr unsigned kTextCantOpenUserDict =
    14511;  // "Can't open user dictionary due to an I/O error"
// Shown when a word could not be written (full disk, read-only file): nothing was changed.
constexpr char kUserDictWriteErrorText[] =
    "Can't write to the user dictionary. The word was not saved.";

struct UserDictRecord {
    char word[kUserDictWordSize];
    char translation[kUserDictTranslationSize];
};
static_assert(sizeof(UserDictRecord) == kUserDictRecordSize, "a record is 130 bytes");

// Fills a record from two texts, cut to 28 and 98 characters; every byte after each field's
// terminator is zero.
void MakeUserDictRecord(const char* word, const char* translation, UserDictRecord* record);
// Reads record `index` of the open file; false (the record empty) when there is none. A final
// record shorter than 130 bytes reads as a record with zeros after its end.
bool ReadUserDictRecord(Engine& engine, DiskErrorSink* owner, uint32_t index,
                        UserDictRecord* record);

// The maintenance dialog as the file operations see it: its found-words list (12000), the word
// and translation edits (2014, 2015) and the Replace word / Delete word buttons (2016, 2017).
// Texts are stored 8-bit bytes.
class UserDictDialog : public DiskErrorSink {
public:
    virtual ListBox& Words() = 0;
    virtual void WordText(char* buffer, size_t size) = 0;
    virtual void TranslationText(char* buffer, size_t size) = 0;
    virtual void SetWordText(const char* text) = 0;
    virtual void SetTranslationText(const char* text) = 0;
    virtual void EnableReplace(bool enable) = 0;
    virtual void EnableDelete(bool enable) = 0;
    virtual void DeleteWord(int index) = 0;  // takes one item out of the list (LB_DELETESTRING)
    // A write failed and the file is as it was: tell the user (kUserDictWriteErrorText).
    virtual void ShowWriteError() = 0;
};

// The entry last loaded into the dialog's edits (both empty when it opens); its button rules
// compare with it.
struct UserDictSelection {
    char word[kUserDictWordSize] = {};
    char translation[kUserDictTranslationSize] = {};
};

// Adds every record whose folded word begins with the folded `text` to `list`, with its item
// data. Reads the file from the start in large chunks. Nothing when no file is open.
void ListUserDictMatches(Engine& engine, DiskErrorSink* owner, ListBox& list, const char* text);

// Adds the pieces of a record's translation (split at commas, untrimmed; an empty piece
// between two commas is an empty line) to the lookup dialog's translation list.
void ListUserDictTranslations(Engine& engine, LookupView& view, uint32_t itemData);

// Loads the selected record of the dialog's list into its edits and remembers it.
void LoadUserDictEntry(Engine& engine, UserDictDialog& dialog, UserDictSelection& selection);

// The three writes return false when the file was not changed: nothing to act on, or a failed
// write (then the dialog was told, and its edits and list keep what the user typed). A failed
// write never leaves part of a record behind.
// Marks the selected record deleted and takes it out of the list; Delete word is disabled.
bool MarkUserDictEntryDeleted(Engine& engine, UserDictDialog& dialog);
// Overwrites the selected record with the edits; then Replace and Delete are disabled and the
// edits and list emptied.
bool ReplaceUserDictEntry(Engine& engine, UserDictDialog& dialog);
// Appends the edits as a new record; then the edits and list are emptied and Delete disabled.
bool AppendUserDictEntry(Engine& engine, UserDictDialog& dialog);

// Opens the user dictionary at `path` read-write, creating it when missing; false when it
// cannot be opened (the dialog then shows notice 14511 and closes).
bool OpenUserDictForEdit(Engine& engine, const char* path, UserDictSelection& selection);
// Closes the file; an empty file is deleted, any other reopened read-only.
void CloseUserDictAfterEdit(Engine& engine, const char* path);

// Lets the search list user words and show their translations (engine hooks).
void InstallUserDictHooks(Engine& engine);
