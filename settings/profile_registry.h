// The settings' registry keys kept in an INI file instead, for a program that runs from a
// folder of its own (a USB stick) and must leave the machine's registry alone. Each key is a
// section named by its path; a section "Keys" lists the keys that exist, with their class; every
// value is stored in quotes, so that the profile functions give back its blanks too
// ("SearchFor" is "a " at first).
#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

constexpr const char* kProfileKeysSection = "Keys";

class ProfileRegistry : public RegistryStore {
public:
    explicit ProfileRegistry(ProfileFile& file) : file_(file) {}

    RegistryKey OpenKey(const char* subKey, KeyAccess access) override;
    bool CreateKey(const char* subKey, const char* keyClass) override;
    void CloseKey(RegistryKey key) override;
    EnumStatus EnumValue(RegistryKey key, uint32_t index, char* name, uint32_t* nameSize,
                         uint8_t* data, uint32_t* dataSize) override;
    bool SetStringValue(RegistryKey key, const char* name, const char* text) override;

private:
    const std::string* Section(RegistryKey key) const;

    ProfileFile& file_;
    std::vector<std::string> open_;  // the section of handle i + 1; empty when closed
};
