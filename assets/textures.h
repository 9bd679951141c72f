// BMP pictures into OpenGL textures with consecutive names from 1.
#pragma once

#include <cstdint>

constexpr int MAX_TEXTURE_SIDE = 256;
constexpr int TEXTURE_TABLE_SIZE = 30; // names 1 to 29

void initTextures(int count);
int loadTexture(const char* fileName); // the new texture's name plus one
void bindTexture(int name);
int readBmp(const char* fileName, int name);
int scaleToPowerOfTwo(const uint8_t* pixels, int name);
void swapRedBlue(uint8_t* buffer, unsigned int byteCount);
