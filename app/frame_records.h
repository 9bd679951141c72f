// The records one simulation step asks to send, built and handed to the network.
#pragma once

#include "world/frame_report.h"

// Sends the event's record; false for an event that is no record.
bool sendFrameRecord(const FrameEvent& e);
