// openSoundDevice and closeSoundDevice: the system's default output, looked for before any
// call that could fail less cleanly.
#include <cstdio>

#include "sound/directsound/sound_player.h"

namespace {
BOOL CALLBACK countDevice(LPGUID, LPCSTR, LPCSTR, LPVOID count) {
    ++*static_cast<int*>(count);
    return TRUE;
}

void sayNoSound(const char* what) {
    std::fprintf(stderr,
                 "voranis: %s; playing on without sound (check the sound device in "
                 "the system's settings)\n",
                 what);
}
} // namespace

bool openSoundDevice(SoundPlayer& player) {
    closeSoundDevice(player);
    int devices = 0;
    if (FAILED(DirectSoundEnumerateA(countDevice, &devices)) || devices == 0) {
        sayNoSound("no sound device found");
        return false;
    }
    if (FAILED(DirectSoundCreate(nullptr, &player.device, nullptr))) {
        player.device = nullptr;
        sayNoSound("the sound device could not be opened");
        return false;
    }
    // The buffers play with global focus, so any window will do: the desktop's always exists.
    if (FAILED(player.device->SetCooperativeLevel(GetDesktopWindow(), DSSCL_NORMAL))) {
        closeSoundDevice(player);
        sayNoSound("the sound device refused to share");
        return false;
    }
    return true;
}

void closeSoundDevice(SoundPlayer& player) {
    for (IDirectSoundBuffer*& buffer : player.buffer) {
        if (!buffer) continue;
        buffer->Stop();
        buffer->Release();
        buffer = nullptr;
    }
    if (player.device) player.device->Release();
    player.device = nullptr;
}
