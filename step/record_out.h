// Where the step's records go: the session, or a hook in its place (a test's capture).
#pragma once

#include "net/net_message.h"
#include "step/step_tap.h"

struct NetSession;

struct RecordOut {
    NetSession& net;
    // Takes each record instead of the session; null: the session's netSend.
    void (*send)(const NetMessage& record, void* context);
    void* context;
    const StepTap* tap = nullptr; // told every record sent; null: none
};

void sendRecord(const RecordOut& out, const NetMessage& record);
