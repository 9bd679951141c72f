// Positional shot and explosion sounds; called only while sound is enabled.
#pragma once

void soundStart(); // opens the audio device with a current context
void soundSetup(); // listener, buffers from "shoot.wav" and "explode.wav", sources
void soundUpdateListener();
void soundPlayShot(const float position[3]);
void soundPlayExplosion(const float position[3]);
void soundShutdown();
