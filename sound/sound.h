// Positional shot and explosion sounds; called only while sound is enabled.
#pragma once

void soundStart(); // opens the audio device with a current context
void soundSetup(); // listener, buffers from "shoot.wav" and "explode.wav", sources
// The listener on the local ship, facing along its step.
void soundUpdateListener(const float position[3], const float facing[3]);
void soundPlayShot(const float position[3]);
void soundPlayExplosion(const float position[3]);
void soundShutdown();
