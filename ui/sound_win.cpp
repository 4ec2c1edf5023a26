#include "ui/sound_win.h"

#include <mmsystem.h>

bool SoundDeviceAvailable() {
    static const bool available = waveOutGetNumDevs() > 0;
    return available;
}

// The loaded sound resource; it must stay loaded while the system plays from its memory.
static HGLOBAL loadedSound = nullptr;

bool FreeResourceSound() {
    if (loadedSound == nullptr) {
        return false;
    }
    // Nothing may play from the memory that is about to go.
    sndPlaySoundA(nullptr, 0);
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
    return sndPlaySoundA(static_cast<const char*>(LockResource(sound)), SND_MEMORY | SND_ASYNC) !=
           FALSE;
}
