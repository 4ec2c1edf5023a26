// Plain in-memory registry and INI file with the behaviour of the Windows ones that the
// settings rely on (case-insensitive names, enumeration buffers that can be too small, keys
// that cannot be written). Used by the tests and by tools that run without Windows.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "settings/settings.h"

class MemoryRegistry : public RegistryStore {
public:
    struct Value {
        std::string name;
        std::string data;  // as stored, the NUL of a string value included
    };
    struct Key {
        std::string keyClass;
        std::vector<Value> values;
    };

    // False models a hive the user may read but not change (HKEY_LOCAL_MACHINE for a standard
    // user): write opens and key creation are refused.
    bool writable = true;
    // Every successful write as "subkey\name=text", in order.
    std::vector<std::string> writeLog;

    RegistryKey OpenKey(const char* subKey, KeyAccess access) override;
    bool CreateKey(const char* subKey, const char* keyClass) override;
    void CloseKey(RegistryKey key) override;
    EnumStatus EnumValue(RegistryKey key, uint32_t index, char* name, uint32_t* nameSize,
                         uint8_t* data, uint32_t* dataSize) override;
    bool SetStringValue(RegistryKey key, const char* name, const char* text) override;

    // Test set-up and inspection; SetValue creates the key (and its parents) when needed.
    void SetValue(const std::string& subKey, const std::string& name, const std::string& text);
    const Key* FindKey(const std::string& subKey) const;
    const Value* FindValue(const std::string& subKey, const std::string& name) const;
    int OpenHandles() const;

private:
    struct Handle {
        std::string path;
        bool write = false;
        bool open = false;
    };
    Key* Find(const std::string& subKey);
    Key& Make(const std::string& subKey);
    std::map<std::string, Key> keys_;  // by lower-case path
    std::vector<Handle> handles_;
};

class MemoryProfile : public ProfileFile {
public:
    size_t GetString(const char* section, const char* key, const char* fallback, char* out,
                     size_t size) override;
    bool PutString(const char* section, const char* key, const char* text) override;
    size_t KeyNames(const char* section, char* out, size_t size) override;

    // Parses INI text as the profile functions read it: "[section]" lines and "key=value"
    // lines, blanks around names and values dropped; the first of repeated keys counts.
    void Parse(const std::string& text);
    bool LoadFile(const std::string& path);
    bool Has(const std::string& section, const std::string& key) const;
    std::string Get(const std::string& section, const std::string& key) const;
    std::vector<std::string> Keys(const std::string& section) const;

    bool writable = true;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    Section* FindSection(const std::string& name);
    const Section* FindSection(const std::string& name) const;
    std::vector<Section> sections_;
};
