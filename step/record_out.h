// Where the step's records go: the session, or a hook in its place (a test's capture).
#pragma once

#include "net/net_message.h"

struct NetSession;

struct RecordOut {
    NetSession& net;
    // Takes each record instead of the session; null: the session's netSend.
    void (*send)(const NetMessage& record, void* context);
    void* context;
};

void sendRecord(const RecordOut& out, const NetMessage& record);
