// The records one simulation step asks to send, built and handed to the network.
#pragma once

#include "step/record_out.h"
#include "world/frame_report.h"
#include "world/world_state.h"

// Sends the event's record; false for an event that is no record.
bool sendFrameRecord(const WorldState& world, const RecordOut& out, const FrameEvent& e);
// Every record of the report, in its order.
void sendFrameRecords(const WorldState& world, const RecordOut& out, const FrameReport& report);
