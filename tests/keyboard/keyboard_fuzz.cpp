// Feeds arbitrary keyboard descriptions and key events to the selection and the driver: neither
// may read outside its input or leave a state the other operations trip over.
#include "keyboard/keyboard_driver.h"
#include "keyboard/keyboard_selection.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

class NullDialog : public KeyboardDialog {
public:
    bool IsLookupDialog() const override { return true; }
    void SetRadioCaption(int, const char* caption) override {
        if (std::strlen(caption) > kKeyboardDescriptionSize) {
            __builtin_trap();
        }
    }
    void ShowRadio(int, bool) override {}
    void CheckRadio(int, bool) override {}
    void PostRefreshLetters() override {}
    void ActivateUsEnglishLayout() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t fieldSize = size < kKeyboardDescriptionSize ? size : kKeyboardDescriptionSize;
    // A trailer field: the full size, terminated or not.
    std::vector<char> field(kKeyboardDescriptionSize, '\0');
    std::memcpy(field.data(), data, fieldSize);
    KeyboardSelection keyboard;
    NullDialog dialog;
    ApplyKeyboardDescription(keyboard, dialog, field.data());

    KeyboardDriver driver;
    for (size_t i = fieldSize; i + 2 < size; i += 3) {
        uint8_t op = data[i];
        unsigned value = data[i + 1] | (data[i + 2] << 8);
        KeyModifiers mods{(op & 1) != 0, (op & 2) != 0, (op & 4) != 0};
        switch ((op >> 3) % 5) {
            case 0:
                KeyboardHookStep(driver, keyboard.mode, 0, value & 0xFF, (op & 0x80) != 0, mods);
                break;
            case 1:
                MessageHookStep(driver, keyboard.mode, 0, static_cast<KeyMessage>((op >> 6) % 4),
                                value, mods);
                break;
            case 2:
                NextKeyboard(keyboard, dialog);
                break;
            case 3:
                SelectKeyboard(keyboard, dialog, IDC_KEYBOARD_SYSTEM + static_cast<int>(value % 4));
                break;
            default:
                keyboard.mode = static_cast<unsigned char>(value);
                break;
        }
        if (keyboard.index > 2) {
            __builtin_trap();
        }
    }
    return 0;
}
