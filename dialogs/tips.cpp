#include "dialogs/tips.h"

#include <cstdio>

namespace {

// A stored switch of "0" (or anything whose number's low byte is 0) is off; the byte is what
// the program keeps of it.
bool SwitchOn(const char* text) {
    return (ParseSettingNumber(text) & 0xFF) != 0;
}

bool HasShowTips(ProfileFile& file, char* out, size_t size) {
    return file.GetString(kTipsSection, kShowTipsKey, "", out, size) > 0;
}

}  // namespace

int16_t NextTip(int16_t current, int16_t count) {
    const int next = current + 1;
    return static_cast<int16_t>(next > count ? 1 : next);
}

bool ReadShowTips(ProfileFile& texts, ProfileFile* settingsIni) {
    char value[16];
    if (settingsIni != nullptr && HasShowTips(*settingsIni, value, sizeof value)) {
        return SwitchOn(value);
    }
    if (HasShowTips(texts, value, sizeof value)) {
        return SwitchOn(value);
    }
    return true;
}

bool WriteShowTips(ProfileFile* settingsIni, bool show) {
    return settingsIni != nullptr &&
           settingsIni->PutString(kTipsSection, kShowTipsKey, show ? "1" : "0");
}

void ReadTipText(ProfileFile& texts, int tip, bool useGreek, char* out, size_t size) {
    char key[12];
    snprintf(key, sizeof key, "%d", tip);
    if (texts.GetString(useGreek ? kGreekTipsSection : kEnglishTipsSection, key, "", out, size) ==
            0 &&
        size > 0) {
        out[0] = '\0';
    }
}
