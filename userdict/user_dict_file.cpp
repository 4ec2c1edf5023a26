#include "userdict/user_dict_file.h"

#include <cstdio>
#include <cstring>

#include "engine/folding.h"

namespace {

// Records read at once by a search: as many whole records as the second engine buffer holds.
// That buffer serves only the pair reverse check, which never runs during a user search.
constexpr size_t kRecordsPerChunk = kEngineBufferSize / kUserDictRecordSize;
constexpr uint32_t kMaxRecordIndex = 0x7FFFFFFE;  // 0x80000000 + index stays below kNoItemData

// Copies up to `max` bytes of text, stopping at its terminator; the rest of the field is zero.
void FillField(char* field, size_t size, const char* text, size_t max) {
    size_t n = strnlen(text, max);
    memset(field, 0, size);
    memcpy(field, text, n);
}

// A field's text: up to its terminator, never past the field.
void FieldText(const char* field, size_t size, char* out) {
    size_t n = strnlen(field, size - 1);
    memcpy(out, field, n);
    out[n] = '\0';
}

bool WriteAt(DictFile* file, uint64_t offset, const void* data, size_t size) {
    return SeekDictFile(file, offset) && WriteDictFile(file, data, size) == size;
}

// Overwrites record `index`; when that fails, puts back what the record held so no half of
// the new one stays in it.
bool OverwriteRecord(Engine& engine, uint32_t index, const UserDictRecord& record,
                     const UserDictRecord& old) {
    uint64_t offset = static_cast<uint64_t>(index) * kUserDictRecordSize;
    if (WriteAt(engine.userDict, offset, &record, sizeof record)) {
        return true;
    }
    WriteAt(engine.userDict, offset, &old, sizeof old);
    return false;
}

bool SelectedRecord(Engine& engine, UserDictDialog& dialog, int* selection, uint32_t* index) {
    *selection = dialog.Words().Selection();
    if (!engine.userDict || *selection < 0) {
        return false;
    }
    uint32_t data = dialog.Words().ItemData(*selection);
    if (!IsUserDictItem(data)) {
        return false;
    }
    *index = data - kUserDictItemFlag;
    return true;
}

void TakeEdits(UserDictDialog& dialog, UserDictRecord* record) {
    char word[kUserDictWordSize * 4];
    char translation[kUserDictTranslationSize * 4];
    dialog.WordText(word, sizeof word);
    dialog.TranslationText(translation, sizeof translation);
    MakeUserDictRecord(word, translation, record);
}

void HookListMatches(Engine& engine, LookupView& view, const char* query) {
    ListUserDictMatches(engine, &view, view.Words(), query);
}

}  // namespace

void MakeUserDictRecord(const char* word, const char* translation, UserDictRecord* record) {
    FillField(record->word, sizeof record->word, word, kUserDictMaxWord);
    FillField(record->translation, sizeof record->translation, translation,
              kUserDictMaxTranslation);
}

bool ReadUserDictRecord(Engine& engine, DiskErrorSink* owner, uint32_t index,
                        UserDictRecord* record) {
    memset(record, 0, sizeof *record);
    if (!engine.userDict || index > kMaxRecordIndex) {
        return false;
    }
    SeekDictFile(engine.userDict, static_cast<uint64_t>(index) * kUserDictRecordSize);
    return GuardedRead(owner, engine.userDict, record, sizeof *record) > 0;
}

void ListUserDictMatches(Engine& engine, DiskErrorSink* owner, ListBox& list, const char* text) {
    if (!engine.userDict) {
        return;
    }
    char query[kMaxItemSize + 1];
    FieldText(text, sizeof query, query);
    size_t queryLength = strlen(query);
    FoldText(query, IsGreekText(query));

    char* chunk = engine.bufferB;
    const size_t chunkSize = kRecordsPerChunk * kUserDictRecordSize;
    uint32_t index = 0;
    SeekDictFile(engine.userDict, 0);
    for (;;) {
        size_t got = GuardedRead(owner, engine.userDict, chunk, chunkSize);
        if (got == 0) {
            break;
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
            char word[kUserDictWordSize];
            FieldText(chunk + at, sizeof word, word);
            char prefix[kUserDictWordSize];
            memcpy(prefix, word, sizeof prefix);
            if (queryLength < strlen(prefix)) {
                prefix[queryLength] = '\0';
            }
            // Each word folds by its own script, as the query folds by its own.
            FoldText(prefix, IsGreekText(word));
            if (strcmp(prefix, query) != 0) {
                continue;
            }
            int item = list.Add(word);
            if (item >= 0) {
                list.SetItemData(item, kUserDictItemFlag + index);
            }
        }
        if (got < chunkSize) {
            break;
        }
    }
}

void ListUserDictTranslations(Engine& engine, LookupView& view, uint32_t itemData) {
    if (!engine.userDict || !IsUserDictItem(itemData)) {
        return;
    }
    UserDictRecord record;
    ReadUserDictRecord(engine, &view, itemData - kUserDictItemFlag, &record);
    char translation[kUserDictTranslationSize];
    FieldText(record.translation, sizeof translation, translation);
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
        } else {
            piece[length++] = *p;
        }
    }
}

void LoadUserDictEntry(Engine& engine, UserDictDialog& dialog, UserDictSelection& selection) {
    int item;
    uint32_t index;
    if (!SelectedRecord(engine, dialog, &item, &index)) {
        return;
    }
    UserDictRecord record;
    ReadUserDictRecord(engine, &dialog, index, &record);
    FieldText(record.word, sizeof selection.word, selection.word);
    FieldText(record.translation, sizeof selection.translation, selection.translation);
    dialog.SetWordText(selection.word);
    dialog.SetTranslationText(selection.translation);
}

bool MarkUserDictEntryDeleted(Engine& engine, UserDictDialog& dialog) {
    int item;
    uint32_t index;
    bool marked = false;
    UserDictRecord old;
    if (SelectedRecord(engine, dialog, &item, &index) &&
        ReadUserDictRecord(engine, &dialog, index, &old)) {
        UserDictRecord record = old;
        FillField(record.word, sizeof record.word, kUserDictDeletedMarker, kUserDictMaxWord);
        if (OverwriteRecord(engine, index, record, old)) {
            dialog.DeleteWord(item);
            marked = true;
        } else {
            dialog.ShowWriteError();
        }
    }
    dialog.EnableDelete(false);
    return marked;
}

bool ReplaceUserDictEntry(Engine& engine, UserDictDialog& dialog) {
    int item;
    uint32_t index;
    bool replaced = false;
    if (SelectedRecord(engine, dialog, &item, &index)) {
        UserDictRecord old;
        ReadUserDictRecord(engine, &dialog, index, &old);
        UserDictRecord record;
        TakeEdits(dialog, &record);
        if (!OverwriteRecord(engine, index, record, old)) {
            // The user's text stays in the edits for another try.
            dialog.ShowWriteError();
            return false;
        }
        replaced = true;
    }
    dialog.EnableReplace(false);
    dialog.SetWordText("");
    dialog.SetTranslationText("");
    dialog.Words().Clear();
    dialog.EnableDelete(false);
    return replaced;
}

bool AppendUserDictEntry(Engine& engine, UserDictDialog& dialog) {
    if (!engine.userDict) {
        return false;
    }
    // A file cut inside a record is padded to the record boundary first: appended at the bare
    // end, the new record would straddle two record slots and read back as garbage.
    uint64_t size = DictFileSize(engine.userDict);
    size_t padding = static_cast<size_t>((kUserDictRecordSize - size % kUserDictRecordSize) %
                                         kUserDictRecordSize);
    char bytes[2 * kUserDictRecordSize] = {};
    UserDictRecord record;
    TakeEdits(dialog, &record);
    memcpy(bytes + padding, &record, sizeof record);
    if (!WriteAt(engine.userDict, size, bytes, padding + sizeof record)) {
        TruncateDictFile(engine.userDict, size);
        dialog.ShowWriteError();
        return false;
    }
    dialog.SetWordText("");
    dialog.SetTranslationText("");
    dialog.Words().Clear();
    dialog.EnableDelete(false);
    return true;
}

bool OpenUserDictForEdit(Engine& engine, const char* path, UserDictSelection& selection) {
    CloseDictFile(engine.userDict);
    engine.userDict = nullptr;
    selection = UserDictSelection();
    if (!path || !path[0]) {
        return false;
    }
    DictFile* file = OpenDictFile(path, DictFileMode::kReadWrite);
    if (!file) {
        CloseDictFile(OpenDictFile(path, DictFileMode::kCreate));
        file = OpenDictFile(path, DictFileMode::kReadWrite);
    }
    engine.userDict = file;
    return file != nullptr;
}

void CloseUserDictAfterEdit(Engine& engine, const char* path) {
    if (!engine.userDict) {
        return;
    }
    uint64_t size = DictFileSize(engine.userDict);
    CloseDictFile(engine.userDict);
    engine.userDict = nullptr;
    if (size == 0) {
        remove(path);
    } else {
        engine.userDict = OpenDictFile(path, DictFileMode::kRead);
    }
}

void InstallUserDictHooks(Engine& engine) {
    engine.hooks.listUserDictMatches = HookListMatches;
    engine.hooks.listUserDictTranslations = ListUserDictTranslations;
}
