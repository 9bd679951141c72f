// The records one simulation step asks to send, built and handed to the network.
#pragma once

#include "step/record_out.h"
#include "world/step_report.h"
#include "world/world_state.h"

// Sends the event's record; false for an event that is no record.
bool sendStepRecord(const WorldState& world, const RecordOut& out, const StepEvent& e);
// Every record of the report, in its order.
void sendStepRecords(const WorldState& world, const RecordOut& out, const StepReport& report);
