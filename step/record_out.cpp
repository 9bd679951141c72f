// sendRecord: the hook when there is one, else the session.
#include "step/record_out.h"

#include "net/net.h"

void sendRecord(const RecordOut& out, const NetMessage& record) {
    if (out.tap && out.tap->recordSent) out.tap->recordSent(record, out.tap->context);
    if (out.send)
        out.send(record, out.context);
    else
        netSend(out.net, record);
}
