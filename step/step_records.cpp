// Rocket records as the step reported them, the state as the table holds it.
#include "step/step_records.h"

#include "net/net.h"

bool sendStepRecord(const WorldState& world, const RecordOut& out, const StepEvent& e) {
    if (e.kind == StepEventKind::ROCKET_RECORD) {
        sendRecord(out, makeRocketMessage(e.slot, e.rocket, e.life, e.pos, e.vel));
        return true;
    }
    if (e.kind == StepEventKind::STATE_RECORD) {
        sendRecord(out, makeStateMessage(world, e.slot));
        return true;
    }
    return false;
}

void sendStepRecords(const WorldState& world, const RecordOut& out, const StepReport& report) {
    for (int n = 0; n < report.count; ++n)
        sendStepRecord(world, out, report.event[n]);
}
