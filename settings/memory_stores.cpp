#include "settings/memory_stores.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    return lower;
}

bool SameName(const std::string& a, const std::string& b) {
    return Lower(a) == Lower(b);
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return "";
    }
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

size_t CopyOut(const std::string& text, char* out, size_t size) {
    if (size == 0) {
        return 0;
    }
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(out, text.data(), n);
    out[n] = '\0';
    return n;
}

}  // namespace

MemoryRegistry::Key* MemoryRegistry::Find(const std::string& subKey) {
    auto it = keys_.find(Lower(subKey));
    return it == keys_.end() ? nullptr : &it->second;
}

const MemoryRegistry::Key* MemoryRegistry::FindKey(const std::string& subKey) const {
    auto it = keys_.find(Lower(subKey));
    return it == keys_.end() ? nullptr : &it->second;
}

MemoryRegistry::Key& MemoryRegistry::Make(const std::string& subKey) {
    // Like RegCreateKeyEx, the missing parents come into being too.
    for (size_t at = subKey.find('\\'); at != std::string::npos; at = subKey.find('\\', at + 1)) {
        keys_.emplace(Lower(subKey.substr(0, at)), Key());
    }
    return keys_[Lower(subKey)];
}

RegistryKey MemoryRegistry::OpenKey(const char* subKey, KeyAccess access) {
    bool write = access == KeyAccess::Write;
    if (!Find(subKey) || (write && !writable)) {
        return 0;
    }
    handles_.push_back(Handle{Lower(subKey), write, true});
    return handles_.size();
}

bool MemoryRegistry::CreateKey(const char* subKey, const char* keyClass) {
    if (!writable) {
        return false;
    }
    bool existed = Find(subKey) != nullptr;
    Key& key = Make(subKey);
    if (!existed) {
        key.keyClass = keyClass;
    }
    return true;
}

void MemoryRegistry::CloseKey(RegistryKey key) {
    if (key >= 1 && key <= handles_.size()) {
        handles_[key - 1].open = false;
    }
}

EnumStatus MemoryRegistry::EnumValue(RegistryKey handle, uint32_t index, char* name,
                                     uint32_t* nameSize, uint8_t* data, uint32_t* dataSize) {
    if (handle < 1 || handle > handles_.size() || !handles_[handle - 1].open) {
        return EnumStatus::Failed;
    }
    Key* key = Find(handles_[handle - 1].path);
    if (!key) {
        return EnumStatus::Failed;
    }
    if (index >= key->values.size()) {
        return EnumStatus::NoMoreItems;
    }
    const Value& value = key->values[index];
    // The name needs room for its terminator; the data does not.
    if (value.name.size() + 1 > *nameSize || value.data.size() > *dataSize) {
        return EnumStatus::Failed;
    }
    memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameSize = static_cast<uint32_t>(value.name.size());
    memcpy(data, value.data.data(), value.data.size());
    *dataSize = static_cast<uint32_t>(value.data.size());
    return EnumStatus::Ok;
}

bool MemoryRegistry::SetStringValue(RegistryKey handle, const char* name, const char* text) {
    if (handle < 1 || handle > handles_.size()) {
        return false;
    }
    const Handle& h = handles_[handle - 1];
    if (!h.open || !h.write) {
        return false;
    }
    Key* key = Find(h.path);
    if (!key) {
        return false;
    }
    std::string data(text, strlen(text) + 1);
    writeLog.push_back(h.path + "\\" + name + "=" + text);
    for (Value& value : key->values) {
        if (SameName(value.name, name)) {
            value.data = data;
            return true;
        }
    }
    key->values.push_back(Value{name, data});
    return true;
}

void MemoryRegistry::SetValue(const std::string& subKey, const std::string& name,
                              const std::string& text) {
    Key& key = Make(subKey);
    std::string data = text + '\0';
    for (Value& value : key.values) {
        if (value.name == name) {
            value.data = data;
            return;
        }
    }
    key.values.push_back(Value{name, data});
}

const MemoryRegistry::Value* MemoryRegistry::FindValue(const std::string& subKey,
                                                       const std::string& name) const {
    const Key* key = FindKey(subKey);
    if (!key) {
        return nullptr;
    }
    for (const Value& value : key->values) {
        if (SameName(value.name, name)) {
            return &value;
        }
    }
    return nullptr;
}

int MemoryRegistry::OpenHandles() const {
    int n = 0;
    for (const Handle& h : handles_) {
        n += h.open ? 1 : 0;
    }
    return n;
}

MemoryProfile::Section* MemoryProfile::FindSection(const std::string& name) {
    for (Section& section : sections_) {
        if (SameName(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

const MemoryProfile::Section* MemoryProfile::FindSection(const std::string& name) const {
    for (const Section& section : sections_) {
        if (SameName(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

bool MemoryProfile::Has(const std::string& section, const std::string& key) const {
    const Section* s = FindSection(section);
    if (!s) {
        return false;
    }
    for (const auto& entry : s->entries) {
        if (SameName(entry.first, key)) {
            return true;
        }
    }
    return false;
}

std::string MemoryProfile::Get(const std::string& section, const std::string& key) const {
    const Section* s = FindSection(section);
    if (!s) {
        return "";
    }
    for (const auto& entry : s->entries) {
        if (!SameName(entry.first, key)) {
            continue;
        }
        std::string value = Trim(entry.second);
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
            value.back() == value[0]) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return "";
}

std::vector<std::string> MemoryProfile::Keys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section)) {
        for (const auto& entry : s->entries) {
            keys.push_back(entry.first);
        }
    }
    return keys;
}

size_t MemoryProfile::GetString(const char* section, const char* key, const char* fallback,
                                char* out, size_t size) {
    if (!Has(section, key)) {
        std::string text = fallback;
        return CopyOut(text.substr(0, text.find_last_not_of(' ') + 1), out, size);
    }
    return CopyOut(Get(section, key), out, size);
}

bool MemoryProfile::PutString(const char* section, const char* key, const char* text) {
    if (!writable) {
        return false;
    }
    Section* s = FindSection(section);
    if (!s) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    for (auto& entry : s->entries) {
        if (SameName(entry.first, key)) {
            entry.second = text;
            return true;
        }
    }
    s->entries.emplace_back(key, text);
    return true;
}

void MemoryProfile::Parse(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    Section* current = nullptr;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            size_t end = line.find(']');
            std::string name = Trim(line.substr(1, end == std::string::npos ? end : end - 1));
            current = FindSection(name);
            if (!current) {
                sections_.push_back(Section{name, {}});
                current = &sections_.back();
            }
            continue;
        }
        size_t equals = line.find('=');
        if (!current || equals == std::string::npos) {
            continue;
        }
        std::string key = Trim(line.substr(0, equals));
        if (Has(current->name, key)) {
            continue;
        }
        current->entries.emplace_back(key, Trim(line.substr(equals + 1)));
    }
}

bool MemoryProfile::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    Parse(text.str());
    return true;
}

size_t MemoryProfile::KeyNames(const char* section, char* out, size_t size) {
    if (size < 2) {
        if (size == 1) {
            out[0] = '\0';
        }
        return 0;
    }
    size_t used = 0;
    for (const std::string& key : Keys(section)) {
        // Each name and its NUL must leave room for the list's closing NUL.
        if (used + key.size() + 2 > size) {
            break;
        }
        memcpy(out + used, key.c_str(), key.size() + 1);
        used += key.size() + 1;
    }
    out[used] = '\0';
    return used;
}
