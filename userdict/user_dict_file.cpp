#include "userdict/user_dict_file.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "engine/folding.h"
#include "userdict/user_dict_io.h"

namespace {

constexpr uint32_t kMaxRecordIndex = 0x7FFFFFFE;  // 0x80000000 + index stays below kNoItemData
// A byte past any record's end. Appends and the removal of an empty file take turns on it, so
// a file is never removed under a record being added to it.
constexpr uint64_t kAppendLockOffset = uint64_t(1) << 40;
constexpr size_t kMarkerLength = sizeof kUserDictDeletedMarker - 1;
// A session whose file was removed by another that found it empty opens the name again; on
// Windows the name is free only once every handle of the removed file is closed.
constexpr int kReopenAttempts = 200;
constexpr auto kReopenPause = std::chrono::milliseconds(10);

uint64_t RecordOffset(uint32_t index) {
    return static_cast<uint64_t>(index) * kUserDictRecordSize;
}

// Copies up to `max` bytes of text, stopping at its terminator; the rest of the field is zero.
void FillField(char* field, size_t size, const char* text, size_t max) {
    size_t n = strnlen(text, max);
    memset(field, 0, size);
    memcpy(field, text, n);
}

// Reads a chunk of whole records at `offset`: bytes read, 0 at the end or on a read error
// (`*failed` set).
typedef size_t (*ReadChunk)(void* source, uint64_t offset, char* buffer, size_t size, bool* failed);

// Walks the records chunk by chunk and passes the matches to the sink. False on a read error.
bool ScanRecords(ReadChunk read, void* source, char* chunk, size_t chunkSize, const char* text,
                 UserDictSink& sink) {
    char query[kMaxItemSize + 1];
    UserDictFieldText(text, sizeof query, query);
    size_t queryLength = strlen(query);
    FoldText(query, IsGreekText(query));

    uint32_t index = 0;
    for (uint64_t offset = 0;; offset += chunkSize) {
        bool failed = false;
        size_t got = read(source, offset, chunk, chunkSize, &failed);
        if (got == 0) {
            return !failed;
        }
        // A final record cut short counts as one more record, zeros after its end.
        size_t whole = (got + kUserDictRecordSize - 1) / kUserDictRecordSize * kUserDictRecordSize;
        memset(chunk + got, 0, whole - got);
        for (size_t at = 0; at < whole && index <= kMaxRecordIndex;
             at += kUserDictRecordSize, ++index) {
            // Most records differ from the query in their first letter under either fold;
            // they are passed over before the language test of the whole word.
            unsigned char first = static_cast<unsigned char>(chunk[at]);
            unsigned char wanted = static_cast<unsigned char>(query[0]);
            if (queryLength > 0 && FoldGreekChar(first) != wanted &&
                FoldLatinChar(first) != wanted) {
                continue;
            }
            UserDictRecord record;
            memcpy(&record, chunk + at, sizeof record);
            char word[kUserDictWordSize];
            UserDictFieldText(record.word, sizeof word, word);
            char prefix[kUserDictWordSize];
            memcpy(prefix, word, sizeof prefix);
            if (queryLength < strlen(prefix)) {
                prefix[queryLength] = '\0';
            }
            // Each word folds by its own script, as the query folds by its own.
            FoldText(prefix, IsGreekText(word));
            if (strcmp(prefix, query) == 0) {
                sink.Found(index, record);
            }
        }
        if (got < chunkSize || index > kMaxRecordIndex) {
            return true;
        }
    }
}

struct EngineSource {
    Engine* engine;
    DiskErrorSink* owner;
};

size_t ReadEngineChunk(void* source, uint64_t offset, char* buffer, size_t size, bool* failed) {
    EngineSource* s = static_cast<EngineSource*>(source);
    SeekDictFile(s->engine->userDict, offset);
    // GuardedRead has shown the disk error already; the scan simply ends.
    *failed = false;
    return GuardedRead(s->owner, s->engine->userDict, buffer, size);
}

size_t ReadHandleChunk(void* source, uint64_t offset, char* buffer, size_t size, bool* failed) {
    size_t got = 0;
    *failed = !ReadUserDictAt(static_cast<UserDictHandle*>(source), offset, buffer, size, &got);
    return *failed ? 0 : got;
}

// Reads a record under the caller's lock: kNoRecord past the end, zeros after a cut record's
// end, `*got` the bytes the file holds of it.
UserDictResult ReadRecord(UserDict& dict, uint32_t index, UserDictRecord* record, size_t* got) {
    memset(record, 0, sizeof *record);
    *got = 0;
    if (index > kMaxRecordIndex) {
        return UserDictResult::kNoRecord;
    }
    if (!ReadUserDictAt(dict.handle, RecordOffset(index), record, sizeof *record, got)) {
        return UserDictResult::kReadError;
    }
    return *got == 0 ? UserDictResult::kNoRecord : UserDictResult::kOk;
}

// Writes `count` bytes of a record at its offset. When that fails, the `oldCount` bytes the
// record held are put back and the file cut to its old end, so no part of the new bytes stays.
bool WriteRecordBytes(UserDict& dict, uint32_t index, const void* data, size_t count,
                      const void* old, size_t oldCount) {
    uint64_t offset = RecordOffset(index);
    if (WriteUserDictAt(dict.handle, offset, data, count)) {
        return true;
    }
    WriteUserDictAt(dict.handle, offset, old, oldCount < count ? oldCount : count);
    if (oldCount < count) {
        TruncateUserDict(dict.handle, offset + oldCount);
    }
    return false;
}

UserDictResult FromOpenError(UserDictOpenError error) {
    switch (error) {
        case UserDictOpenError::kMissing:
            return UserDictResult::kMissing;
        case UserDictOpenError::kDirectory:
            return UserDictResult::kDirectory;
        case UserDictOpenError::kNotRegular:
            return UserDictResult::kNotRegular;
        case UserDictOpenError::kNoPermission:
            return UserDictResult::kNoPermission;
        default:
            return UserDictResult::kCannotOpen;
    }
}

// Takes the append lock on a file that is still the one the name gives; a file that another
// session removed meanwhile is opened afresh (and created again).
UserDictResult LockForAppend(UserDict& dict) {
    for (int attempt = 0; attempt < kReopenAttempts; ++attempt) {
        if (dict.handle) {
            if (!LockUserDictRange(dict.handle, kAppendLockOffset, 1)) {
                return UserDictResult::kWriteError;
            }
            if (IsUserDictStillNamed(dict.handle, dict.path)) {
                return UserDictResult::kOk;
            }
            UnlockUserDictRange(dict.handle, kAppendLockOffset, 1);
            CloseUserDictHandle(dict.handle);
            dict.handle = nullptr;
        }
        UserDictOpenError error;
        dict.handle = OpenUserDictHandle(dict.path, true, true, &error);
        if (!dict.handle) {
            if (error == UserDictOpenError::kDirectory || error == UserDictOpenError::kNotRegular) {
                return FromOpenError(error);
            }
            std::this_thread::sleep_for(kReopenPause);
        }
    }
    return UserDictResult::kCannotOpen;
}

// Writes `count` bytes of data over the start of record `index` under the record's lock, once
// `check` accepts what the record held (returns kOk).
template <typename Check>
UserDictResult RewriteRecord(UserDict& dict, uint32_t index, const void* data, size_t count,
                             Check check) {
    if (index > kMaxRecordIndex ||
        !LockUserDictRange(dict.handle, RecordOffset(index), kUserDictRecordSize)) {
        return index > kMaxRecordIndex ? UserDictResult::kNoRecord : UserDictResult::kWriteError;
    }
    UserDictRecord old;
    size_t got = 0;
    UserDictResult result = ReadRecord(dict, index, &old, &got);
    if (result == UserDictResult::kOk) {
        result = check(old);
    }
    // A record that could not be read is never written: there would be nothing to put back.
    if (result == UserDictResult::kOk && !WriteRecordBytes(dict, index, data, count, &old, got)) {
        result = UserDictResult::kWriteError;
    }
    UnlockUserDictRange(dict.handle, RecordOffset(index), kUserDictRecordSize);
    return result;
}

// The check of a replace or delete under the record's lock: the record still holds the word
// it was found by, or, chosen by index, is not deleted.
UserDictResult StillExpected(const UserDictRecord& old, const char* expectedWord) {
    if (expectedWord) {
        return UserDictWordIs(old, expectedWord) ? UserDictResult::kOk : UserDictResult::kChanged;
    }
    return IsDeletedUserDictWord(old.word) ? UserDictResult::kDeleted : UserDictResult::kOk;
}

}  // namespace

void MakeUserDictRecord(const char* word, const char* translation, UserDictRecord* record) {
    FillField(record->word, sizeof record->word, word, kUserDictMaxWord);
    FillField(record->translation, sizeof record->translation, translation,
              kUserDictMaxTranslation);
}

void UserDictFieldText(const char* field, size_t size, char* out) {
    size_t n = strnlen(field, size - 1);
    memcpy(out, field, n);
    out[n] = '\0';
}

bool IsDeletedUserDictWord(const char* word) {
    return strncmp(word, kUserDictDeletedMarker, kMarkerLength) == 0;
}

const char* UserDictResultText(UserDictResult result) {
    switch (result) {
        case UserDictResult::kOk:
            return "done";
        case UserDictResult::kNotOpen:
            return "not open for editing";
        case UserDictResult::kMissing:
            return "no such file";
        case UserDictResult::kDirectory:
            return "is a directory, not a user dictionary file";
        case UserDictResult::kNotRegular:
            return "is not a regular file (a device or a pipe?)";
        case UserDictResult::kCannotOpen:
            return "Can't open user dictionary due to an I/O error";
        case UserDictResult::kReadError:
            return "read error; nothing was changed";
        case UserDictResult::kWriteError:
            return "Can't write to the user dictionary. The word was not saved.";
        case UserDictResult::kNoRecord:
            return "no such record";
        case UserDictResult::kDeleted:
            return "the record is deleted";
        case UserDictResult::kMarkerWord:
            return "a word may not begin with \"&&*!@@ Deleted\": that marks a deleted record";
        case UserDictResult::kChanged:
            return "the record was changed by someone else meanwhile; nothing was written";
        case UserDictResult::kNoPermission:
            return "permission denied";
    }
    return "";
}

void UserDictListSink::Found(uint32_t index, const UserDictRecord& record) {
    char word[kUserDictWordSize];
    UserDictFieldText(record.word, sizeof word, word);
    int item = list_.Add(word);
    if (item >= 0) {
        list_.SetItemData(item, kUserDictItemFlag + index);
    }
}

UserDictResult OpenUserDict(UserDict& dict, const char* path, bool forEdit) {
    CloseUserDict(dict);
    if (!path || !path[0] || strlen(path) >= sizeof dict.path) {
        return UserDictResult::kCannotOpen;
    }
    UserDictOpenError error;
    UserDictHandle* handle = OpenUserDictHandle(path, forEdit, forEdit, &error);
    if (!handle) {
        return FromOpenError(error);
    }
    dict.handle = handle;
    dict.writable = forEdit;
    memcpy(dict.path, path, strlen(path) + 1);
    return UserDictResult::kOk;
}

void CloseUserDict(UserDict& dict) {
    if (!dict.handle) {
        return;
    }
    // Another session may have added a record since this one last looked: the size that
    // counts is the one seen under the lock that appends take.
    if (dict.writable && LockUserDictRange(dict.handle, kAppendLockOffset, 1)) {
        uint64_t size = 0;
        if (IsUserDictStillNamed(dict.handle, dict.path) && UserDictSize(dict.handle, &size) &&
            size == 0) {
            RemoveUserDictFile(dict.handle, dict.path);
        }
        UnlockUserDictRange(dict.handle, kAppendLockOffset, 1);
    }
    CloseUserDictHandle(dict.handle);
    dict.handle = nullptr;
    dict.writable = false;
}

UserDictResult ListUserDict(UserDict& dict, const char* text, UserDictSink& sink) {
    if (!dict.handle) {
        return UserDictResult::kNotOpen;
    }
    bool read =
        ScanRecords(ReadHandleChunk, dict.handle, dict.chunk, sizeof dict.chunk, text, sink);
    return read ? UserDictResult::kOk : UserDictResult::kReadError;
}

UserDictResult LoadUserDictRecord(UserDict& dict, uint32_t index, UserDictRecord* record) {
    memset(record, 0, sizeof *record);
    if (!dict.handle) {
        return UserDictResult::kNotOpen;
    }
    size_t got;
    return ReadRecord(dict, index, record, &got);
}

UserDictResult AppendUserDictRecord(UserDict& dict, const UserDictRecord& record, uint32_t* index) {
    if (!dict.handle || !dict.writable) {
        return UserDictResult::kNotOpen;
    }
    if (IsDeletedUserDictWord(record.word)) {
        return UserDictResult::kMarkerWord;
    }
    UserDictResult locked = LockForAppend(dict);
    if (locked != UserDictResult::kOk) {
        return locked;
    }
    UserDictResult result = UserDictResult::kWriteError;
    uint64_t size = 0;
    bool sized = UserDictSize(dict.handle, &size);
    // A file cut inside a record is padded to the record boundary first: appended at the bare
    // end, the new record would straddle two record slots. The cut record is locked meanwhile,
    // as a replace of it lengthens it.
    uint64_t cutRecord = size - size % kUserDictRecordSize;
    bool cut = sized && size != cutRecord;
    if (cut) {
        sized = LockUserDictRange(dict.handle, cutRecord, kUserDictRecordSize) &&
                UserDictSize(dict.handle, &size);
    }
    if (sized && size / kUserDictRecordSize < kMaxRecordIndex) {
        size_t padding = static_cast<size_t>((kUserDictRecordSize - size % kUserDictRecordSize) %
                                             kUserDictRecordSize);
        char bytes[2 * kUserDictRecordSize] = {};
        memcpy(bytes + padding, &record, sizeof record);
        uint64_t landed = 0;
        if (AppendUserDict(dict.handle, bytes, padding + sizeof record, &landed)) {
            *index = static_cast<uint32_t>((landed + padding) / kUserDictRecordSize);
            result = UserDictResult::kOk;
        } else {
            TruncateUserDict(dict.handle, size);
        }
    }
    if (cut) {
        UnlockUserDictRange(dict.handle, cutRecord, kUserDictRecordSize);
    }
    UnlockUserDictRange(dict.handle, kAppendLockOffset, 1);
    return result;
}

bool UserDictWordIs(const UserDictRecord& record, const char* word) {
    char stored[kUserDictWordSize];
    UserDictFieldText(record.word, sizeof stored, stored);
    size_t length = strnlen(word, kUserDictMaxWord);
    return strlen(stored) == length && memcmp(stored, word, length) == 0;
}

UserDictResult ReplaceUserDictRecord(UserDict& dict, uint32_t index, const UserDictRecord& record,
                                     const char* expectedWord) {
    if (!dict.handle || !dict.writable) {
        return UserDictResult::kNotOpen;
    }
    if (IsDeletedUserDictWord(record.word)) {
        return UserDictResult::kMarkerWord;
    }
    return RewriteRecord(
        dict, index, &record, sizeof record,
        [expectedWord](const UserDictRecord& old) { return StillExpected(old, expectedWord); });
}

UserDictResult MarkUserDictRecordDeleted(UserDict& dict, uint32_t index, const char* expectedWord) {
    if (!dict.handle || !dict.writable) {
        return UserDictResult::kNotOpen;
    }
    // Only the marker and its terminator are written; the rest of the record stays.
    return RewriteRecord(
        dict, index, kUserDictDeletedMarker, sizeof kUserDictDeletedMarker,
        [expectedWord](const UserDictRecord& old) { return StillExpected(old, expectedWord); });
}

void ListUserDictMatches(Engine& engine, DiskErrorSink* owner, ListBox& list, const char* text) {
    if (!engine.userDict) {
        return;
    }
    // The second engine buffer serves only the pair reverse check, which never runs during a
    // user search.
    constexpr size_t kChunk = kEngineBufferSize / kUserDictRecordSize * kUserDictRecordSize;
    EngineSource source = {&engine, owner};
    UserDictListSink sink(list);
    ScanRecords(ReadEngineChunk, &source, engine.bufferB, kChunk, text, sink);
}

void ListUserDictTranslations(Engine& engine, LookupView& view, uint32_t itemData) {
    if (!engine.userDict || !IsUserDictItem(itemData)) {
        return;
    }
    UserDictRecord record = {};
    uint32_t index = itemData - kUserDictItemFlag;
    if (index <= kMaxRecordIndex) {
        SeekDictFile(engine.userDict, RecordOffset(index));
        GuardedRead(&view, engine.userDict, &record, sizeof record);
    }
    char translation[kUserDictTranslationSize];
    UserDictFieldText(record.translation, sizeof translation, translation);
    ListBox& list = view.Translations();
    char piece[kUserDictTranslationSize];
    size_t length = 0;
    for (const char* p = translation;; ++p) {
        if (*p == ',' || *p == '\0') {
            piece[length] = '\0';
            if (*p == ',' || length > 0) {
                if (list.Add(piece) < 0) {
                    return;
                }
            }
            if (*p == '\0') {
                return;
            }
            length = 0;
        } else if (length > 0 || *p != ' ') {
            // "word, speech" is typed with a blank after the comma; it is no part of the word.
            piece[length++] = *p;
        }
    }
}

namespace {

void HookListMatches(Engine& engine, LookupView& view, const char* query) {
    ListUserDictMatches(engine, &view, view.Words(), query);
}

}  // namespace

void InstallUserDictHooks(Engine& engine) {
    engine.hooks.listUserDictMatches = HookListMatches;
    engine.hooks.listUserDictTranslations = ListUserDictTranslations;
}
