// Rocket records as the step reported them, the state as the table holds it.
#include "step/frame_records.h"

#include "net/net.h"

bool sendFrameRecord(const WorldState& world, const RecordOut& out, const FrameEvent& e) {
    if (e.kind == FrameEventKind::ROCKET_RECORD) {
        sendRecord(out, makeRocketMessage(e.slot, e.rocket, e.life, e.pos, e.vel));
        return true;
    }
    if (e.kind == FrameEventKind::STATE_RECORD) {
        sendRecord(out, makeStateMessage(world, e.slot));
        return true;
    }
    return false;
}

void sendFrameRecords(const WorldState& world, const RecordOut& out, const FrameReport& report) {
    for (int n = 0; n < report.count; ++n)
        sendFrameRecord(world, out, report.event[n]);
}
