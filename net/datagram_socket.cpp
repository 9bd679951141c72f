// The datagram layer: a small table of open UDP sockets over the system's own calls.
#include "net/datagram_socket.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "net/system_socket.h"

namespace {
constexpr const char* UNNAMED_HOST = "unnamed machine";
constexpr int MOST_INTERFACES      = 32;

struct OpenDatagram {
    bool inUse;
    SystemSocket fd;
};

OpenDatagram table[DATAGRAM_TABLE_SIZE];

SystemSocket* find(DatagramSocket s) {
    if (s < 0 || s >= DATAGRAM_TABLE_SIZE || !table[s].inUse) return nullptr;
    return &table[s].fd;
}

void describeFailure(int port, int error, char* reason, std::size_t reasonSize) {
    if (error == EADDRINUSE)
        std::snprintf(reason, reasonSize, "UDP port %d is in use by another program", port);
    else if (port == 0)
        std::snprintf(reason, reasonSize, "no UDP socket could be opened (%s)",
                      std::strerror(error));
    else
        std::snprintf(reason, reasonSize, "UDP port %d could not be opened (%s)", port,
                      std::strerror(error));
}
} // namespace

DatagramSocket datagramOpen(int port, char* reason, std::size_t reasonSize) {
    DatagramSocket s = 0;
    while (s < DATAGRAM_TABLE_SIZE && table[s].inUse)
        ++s;
    if (s == DATAGRAM_TABLE_SIZE) {
        std::snprintf(reason, reasonSize, "all %d UDP sockets are in use", DATAGRAM_TABLE_SIZE);
        return NO_DATAGRAM;
    }
    const SystemSocket fd = systemSocketOpen(SocketKind::DATAGRAM);
    if (fd == NO_SYSTEM_SOCKET) {
        describeFailure(port, systemSocketError(), reason, reasonSize);
        return NO_DATAGRAM;
    }
    systemSocketSetOption(fd, SocketOption::SHARE_PORT);
    systemSocketSetOption(fd, SocketOption::BROADCAST);
    if (!systemSocketBind(fd, port)) {
        describeFailure(port, systemSocketError(), reason, reasonSize);
        systemSocketClose(fd);
        return NO_DATAGRAM;
    }
    table[s] = {true, fd};
    return s;
}

bool datagramSend(DatagramSocket s, DatagramAddress to, const uint8_t* bytes, std::size_t length) {
    SystemSocket* fd = find(s);
    if (!fd) return false;
    return systemSocketSendTo(*fd, to.ip, to.port, bytes, length) == static_cast<long>(length);
}

int datagramReceive(DatagramSocket s, uint8_t* bytes, std::size_t capacity, DatagramAddress& from) {
    SystemSocket* fd = find(s);
    if (!fd) return -1;
    uint32_t ip  = 0;
    int port     = 0;
    const long n = systemSocketReceiveFrom(*fd, bytes, capacity, &ip, &port);
    if (n < 0) return -1;
    from.ip   = ip;
    from.port = port;
    return static_cast<int>(n);
}

int datagramDescriptor(DatagramSocket s) {
    SystemSocket* fd = find(s);
    return fd ? *fd : -1;
}

void datagramClose(DatagramSocket s) {
    SystemSocket* fd = find(s);
    if (!fd) return;
    systemSocketClose(*fd);
    table[s].inUse = false;
}

int datagramBroadcastAddresses(uint32_t addresses[BROADCAST_ADDRESSES_MAX]) {
    SystemInterface interfaces[MOST_INTERFACES];
    const int listed = systemInterfaces(interfaces, MOST_INTERFACES);
    int count        = 0;
    for (int i = 0; i < listed && count < BROADCAST_ADDRESSES_MAX; ++i) {
        if (!interfaces[i].up || interfaces[i].broadcast == 0) continue;
        const uint32_t b = interfaces[i].broadcast;
        bool seen        = false;
        for (int k = 0; k < count; ++k)
            seen = seen || addresses[k] == b;
        if (!seen) addresses[count++] = b;
    }
    return count;
}

void datagramHostName(char* name, std::size_t size) {
    if (size == 0) return;
    if (!systemHostName(name, size) || name[0] == '\0')
        std::snprintf(name, size, "%s", UNNAMED_HOST);
    name[size - 1] = '\0'; // the system need not end a name it cut
}

void datagramAddressText(DatagramAddress address, char* text, std::size_t size) {
    std::snprintf(text, size, "%u.%u.%u.%u:%d", address.ip >> 24, (address.ip >> 16) & 0xFF,
                  (address.ip >> 8) & 0xFF, address.ip & 0xFF, address.port);
}
