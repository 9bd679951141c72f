// Drawing: the fixed GL state, the frame and the overlay.
#pragma once

void setupScene(int width, int height);
void renderFrame();
void drawOverlay();
void drawDigits(float x, float y, float z, const char* text);
