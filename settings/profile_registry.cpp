#include "settings/profile_registry.h"

#include <cstring>

namespace {

// Room for the value names of one key: the State key has two dozen short names.
constexpr size_t kNameListSize = 4096;

}  // namespace

const std::string* ProfileRegistry::Section(RegistryKey key) const {
    if (key == 0 || key > open_.size() || open_[key - 1].empty()) {
        return nullptr;
    }
    return &open_[key - 1];
}

RegistryKey ProfileRegistry::OpenKey(const char* subKey, KeyAccess) {
    char keyClass[kSettingBufferSize];
    if (subKey[0] == '\0' ||
        file_.GetString(kProfileKeysSection, subKey, "", keyClass, sizeof keyClass) == 0) {
        return 0;
    }
    for (size_t i = 0; i < open_.size(); ++i) {
        if (open_[i].empty()) {
            open_[i] = subKey;
            return i + 1;
        }
    }
    open_.push_back(subKey);
    return open_.size();
}

bool ProfileRegistry::CreateKey(const char* subKey, const char* keyClass) {
    // A key with no class would read as missing.
    return file_.PutString(kProfileKeysSection, subKey, keyClass[0] ? keyClass : "-");
}

void ProfileRegistry::CloseKey(RegistryKey key) {
    if (Section(key)) {
        open_[key - 1].clear();
    }
}

EnumStatus ProfileRegistry::EnumValue(RegistryKey key, uint32_t index, char* name,
                                      uint32_t* nameSize, uint8_t* data, uint32_t* dataSize) {
    const std::string* section = Section(key);
    if (section == nullptr) {
        return EnumStatus::Failed;
    }
    char names[kNameListSize];
    const size_t length = file_.KeyNames(section->c_str(), names, sizeof names);
    const char* entry = names;
    for (uint32_t i = 0; i < index && entry < names + length && *entry; ++i) {
        entry += strlen(entry) + 1;
    }
    if (entry >= names + length || *entry == '\0') {
        return EnumStatus::NoMoreItems;
    }
    // As the registry: a name or data that does not fit fails the call.
    const size_t nameLength = strlen(entry);
    if (nameLength + 1 > *nameSize) {
        return EnumStatus::Failed;
    }
    char text[kSettingBufferSize + 1];
    file_.GetString(section->c_str(), entry, "", text, sizeof text);
    const size_t textSize = strlen(text) + 1;
    if (textSize > *dataSize) {
        return EnumStatus::Failed;
    }
    memcpy(name, entry, nameLength + 1);
    memcpy(data, text, textSize);
    *nameSize = static_cast<uint32_t>(nameLength);
    *dataSize = static_cast<uint32_t>(textSize);
    return EnumStatus::Ok;
}

bool ProfileRegistry::SetStringValue(RegistryKey key, const char* name, const char* text) {
    const std::string* section = Section(key);
    if (section == nullptr) {
        return false;
    }
    const std::string quoted = "\"" + std::string(text) + "\"";
    return file_.PutString(section->c_str(), name, quoted.c_str());
}
