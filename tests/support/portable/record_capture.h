// The records a step sends, caught by the step's send hook instead of going to a session.
#pragma once

#include <vector>

#include "net/net_message.h"
#include "tests/support/portable/wire.h"

// A StepSetup's or RecordOut's send: context is a std::vector<Record>, each record appended
// as it would travel.
void captureRecord(const NetMessage& msg, void* context);
std::vector<Record> ofType(const std::vector<Record>& sent, int32_t type);
