// The click sound: a short WAV image kept as an RCDATA resource and played from memory.
#pragma once

#include <windows.h>

// True when the system reports a wave-output device (a machine with speakers and no microphone
// clicks too); asked once, kept for the process's life.
bool SoundDeviceAvailable();

// With enabled on, a sound device present and a module instance: plays its RCDATA resourceId
// asynchronously (replacing a sound still playing), or with resourceId 0 frees the
// sound loaded last. A missing resource is ignored. True when a sound was started; the program
// itself never looks at the result.
bool PlayResourceSound(HINSTANCE instance, int resourceId, bool enabled);

// Stops the sound and frees the resource loaded last, whatever the sound option says (at
// shutdown). True when a sound was loaded.
bool FreeResourceSound();
