// Line helpers of the model reader: lines are read in pieces of at most 254 characters,
// comment lines dropped, letters folded to lower case.
#pragma once

#include <cstdio>

constexpr int MODEL_LINE_SIZE = 256; // a piece of at most 254 characters, its end and one spare

// The next line that is not dropped as a comment, lower-cased. False at the end of the
// file, with nothing read and the buffer left as it was.
bool readLine(char buffer[MODEL_LINE_SIZE], FILE* file);

// Position of the last whole occurrence of keyword in text, or -1.
int findLast(const char* text, const char* keyword);
inline bool contains(const char* text, const char* keyword) {
    return findLast(text, keyword) >= 0;
}

int countChar(const char* text, char c);

// Drops leading and trailing blanks and those beside commas; other runs become one space.
void compactBlanks(char* text);

// Copies what follows the line's first double quote, up to the next one or the end, into
// destination (of MODEL_LINE_SIZE bytes). Empty when the line holds no double quote.
void extractQuoted(const char* line, char* destination);

void toLowerAscii(char* text);
