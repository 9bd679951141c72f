// What the frame update calls outside the world, reduced to nothing: no peers, no sound,
// no window. The clock and sleep come from the real platform layer (voranis_platform), and
// the records are built by the network library's own builders.
#include "net/net.h"
#include "sound/sound.h"

// A sink the compiler cannot see through, so the records are really built.
volatile uint32_t benchRecordSink;

void netExchange(int32_t) {}
void netSend(const NetMessage& msg) {
    benchRecordSink = msg.word[0] ^ msg.word[4];
}
void checkGlobalTimeout() {}

void soundUpdateListener() {}
void soundPlayShot(const float*) {}
void soundPlayExplosion(const float*) {}

void centreCursor() {}
