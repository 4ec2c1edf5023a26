#include "ui/sound_win.h"

#include <mmsystem.h>

namespace {

// The system's sound library is loaded at the first sound, not with the program: under Wine it
// brings four more libraries (the audio codecs and COM) into every start, and the click is off
// unless the user turns it on.
struct WaveFunctions {
    UINT(WINAPI* deviceCount)() = nullptr;
    BOOL(WINAPI* play)(LPCSTR, UINT) = nullptr;
};

template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const WaveFunctions& Wave() {
    static const WaveFunctions functions = [] {
        WaveFunctions found;
        if (HMODULE library = LoadLibraryW(L"winmm.dll")) {
            Resolve(library, "waveOutGetNumDevs", found.deviceCount);
            Resolve(library, "sndPlaySoundA", found.play);
        }
        if (!found.deviceCount || !found.play) {
            found = WaveFunctions{};
        }
        return found;
    }();
    return functions;
}

}  // namespace

bool SoundDeviceAvailable() {
    static const bool available = Wave().deviceCount && Wave().deviceCount() > 0;
    return available;
}

// The loaded sound resource; it must stay loaded while the system plays from its memory.
static HGLOBAL loadedSound = nullptr;

bool FreeResourceSound() {
    if (loadedSound == nullptr) {
        return false;
    }
    // Nothing may play from the memory that is about to go.
    Wave().play(nullptr, 0);
    FreeResource(loadedSound);
    loadedSound = nullptr;
    return true;
}

bool PlayResourceSound(HINSTANCE instance, int resourceId, bool enabled) {
    if (!enabled || instance == nullptr || !SoundDeviceAvailable()) {
        return false;
    }
    if (resourceId == 0) {
        FreeResourceSound();
        return false;
    }
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10));
    if (found == nullptr) {
        return false;
    }
    HGLOBAL sound = LoadResource(instance, found);
    if (sound == nullptr) {
        return false;
    }
    loadedSound = sound;
    return Wave().play(static_cast<const char*>(LockResource(sound)), SND_MEMORY | SND_ASYNC) !=
           FALSE;
}
