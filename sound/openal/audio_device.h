// The audio device's state, shared by the sound files: every sound call is a no-op while
// the device is closed, so a machine without audio plays on silently.
#pragma once

// True from a soundStart that opened the default device until soundShutdown.
bool soundDeviceOpen();
// Closes the device and its context; safe when it is not open.
void closeAudioDevice();
