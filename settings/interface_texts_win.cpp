#include "settings/interface_texts_win.h"

#include <cstdio>

#include "settings/interface_texts.h"
#include "settings/settings_win.h"
#include "engine/code_pages.h"

namespace {

constexpr UINT kGreekCodePage = 1253;

class WindowTexts : public DialogTexts {
public:
    explicit WindowTexts(HWND window) : window_(window) {}
    void SetTitle(const char* text) override { SetGreekWindowText(window_, text); }
    void SetItemText(int controlId, const char* text) override {
        HWND control = GetDlgItem(window_, controlId);
        if (control) {
            SetGreekWindowText(control, text);
        }
    }

private:
    HWND window_;
};

}  // namespace

void SetGreekWindowText(HWND window, const char* text) {
    wchar_t wide[kGreekItemSize];
    int n = MultiByteToWideChar(kGreekCodePage, 0, text, -1, wide, kGreekItemSize);
    if (n == 0) {
        wide[0] = L'\0';
    }
    SetWindowTextW(window, wide);
}

bool LoadGreekTitle(HWND window, unsigned number, const char* textsFile) {
    WinProfileFile texts(textsFile);
    WindowTexts target(window);
    return LoadGreekTitle(target, number, texts);
}

void LoadGreekItems(HWND dialog, int firstId, int lastId, const char* textsFile) {
    WinProfileFile texts(textsFile);
    WindowTexts target(dialog);
    LoadGreekItems(target, firstId, lastId, texts);
}

bool LoadGreekItem(HWND dialog, int controlId, unsigned number, const char* textsFile) {
    WinProfileFile texts(textsFile);
    WindowTexts target(dialog);
    return LoadGreekItem(target, controlId, number, texts);
}

size_t GetGreekText(unsigned number, char* out, size_t size, const char* textsFile) {
    WinProfileFile texts(textsFile);
    return GetGreekText(number, out, size, texts);
}

void WinInterfaceTexts::Load(unsigned id, bool greek, char* buffer, size_t size) const {
    if (size == 0) {
        return;
    }
    buffer[0] = '\0';
    if (greek && GetGreekText(id, buffer, size, textsFile_) > 0) {
        return;
    }
    wchar_t wide[kGreekItemSize];
    int length = instance_ ? LoadStringW(instance_, id, wide, kGreekItemSize) : 0;
    if (length <= 0) {
        snprintf(buffer, size, "%s", EnglishInterfaceText(id));
        return;
    }
    std::string stored;
    EncodeError error;
    std::u16string text(wide, wide + length);
    if (!Utf16ToStored(text, &stored, &error)) {
        stored.clear();
    }
    snprintf(buffer, size, "%s", stored.c_str());
}
