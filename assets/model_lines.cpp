// Line reading and the small text rules of the model reader.
#include "assets/model_lines.h"

#include <cstring>

bool readLine(char buffer[MODEL_LINE_SIZE], FILE* file) {
    for (;;) {
        if (!std::fgets(buffer, MODEL_LINE_SIZE - 1, file)) return false;
        // A '#' after the first column makes the whole line a comment; one in the first
        // column (the VRML header) does not.
        if (findLast(buffer, "#") > 0) continue;
        toLowerAscii(buffer);
        return true;
    }
}

int findLast(const char* text, const char* keyword) {
    const size_t textLength    = std::strlen(text);
    const size_t keywordLength = std::strlen(keyword);
    if (keywordLength == 0 || keywordLength > textLength) return -1;
    for (size_t i = textLength - keywordLength + 1; i-- > 0;) {
        if (std::memcmp(text + i, keyword, keywordLength) == 0) return int(i);
    }
    return -1;
}

int countChar(const char* text, char c) {
    int n = 0;
    for (; *text; ++text)
        n += *text == c;
    return n;
}

void compactBlanks(char* text) {
    char copy[MODEL_LINE_SIZE];
    std::strncpy(copy, text, sizeof copy - 1);
    copy[sizeof copy - 1] = '\0';
    char previous         = 'a';
    bool pending          = false;
    size_t written        = 0;
    for (const char* c = copy; *c; ++c) {
        if (*c == ' ' || *c == '\t') {
            pending = true;
            continue;
        }
        if (pending && *c != ',' && previous != ',' && written > 0) text[written++] = ' ';
        text[written++] = *c;
        previous        = *c;
        pending         = false;
    }
    text[written] = '\0';
}

void extractQuoted(const char* line, char* destination) {
    const char* start = std::strchr(line, '"');
    size_t n          = 0;
    if (start) {
        for (++start; start[n] && start[n] != '"' && n < MODEL_LINE_SIZE - 1; ++n) {
            destination[n] = start[n];
        }
    }
    destination[n] = '\0';
}

void toLowerAscii(char* text) {
    for (; *text; ++text) {
        if (*text >= 'A' && *text <= 'Z') *text = char(*text - 'A' + 'a');
    }
}
