// Records caught in their wire form.
#include "tests/support/portable/record_capture.h"

#include <algorithm>

void captureRecord(const NetMessage& msg, void* context) {
    std::array<uint32_t, WIRE_WORDS> words;
    std::copy(msg.word, msg.word + WIRE_WORDS, words.begin());
    static_cast<std::vector<Record>*>(context)->push_back(wordsRecord(words));
}

std::vector<Record> ofType(const std::vector<Record>& sent, int32_t type) {
    std::vector<Record> out;
    std::copy_if(sent.begin(), sent.end(), std::back_inserter(out),
                 [&](const Record& r) { return recordType(r) == type; });
    return out;
}
