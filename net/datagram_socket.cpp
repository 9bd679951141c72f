// The datagram layer over POSIX: a small table of open UDP sockets.
#include "net/datagram_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr const char* UNNAMED_HOST = "unnamed machine";

struct OpenDatagram {
    bool inUse;
    int fd;
};

OpenDatagram table[DATAGRAM_TABLE_SIZE];

int* find(DatagramSocket s) {
    if (s < 0 || s >= DATAGRAM_TABLE_SIZE || !table[s].inUse) return nullptr;
    return &table[s].fd;
}

sockaddr_in toSockaddr(DatagramAddress a) {
    sockaddr_in address{};
    address.sin_family      = AF_INET;
    address.sin_addr.s_addr = htonl(a.ip);
    address.sin_port        = htons(static_cast<uint16_t>(a.port));
    return address;
}

void setOption(int fd, int option) {
    int one = 1;
    setsockopt(fd, SOL_SOCKET, option, &one, sizeof one);
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
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        describeFailure(port, errno, reason, reasonSize);
        return NO_DATAGRAM;
    }
    setOption(fd, SO_REUSEADDR);
    setOption(fd, SO_BROADCAST);
    sockaddr_in address = toSockaddr({INADDR_ANY, port});
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        describeFailure(port, errno, reason, reasonSize);
        ::close(fd);
        return NO_DATAGRAM;
    }
    table[s] = {true, fd};
    return s;
}

bool datagramSend(DatagramSocket s, DatagramAddress to, const uint8_t* bytes, std::size_t length) {
    int* fd = find(s);
    if (!fd) return false;
    sockaddr_in address = toSockaddr(to);
    return ::sendto(*fd, bytes, length, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&address),
                    sizeof address) == static_cast<ssize_t>(length);
}

int datagramReceive(DatagramSocket s, uint8_t* bytes, std::size_t capacity, DatagramAddress& from) {
    int* fd = find(s);
    if (!fd) return -1;
    sockaddr_in address{};
    socklen_t addressLength = sizeof address;
    ssize_t n =
        ::recvfrom(*fd, bytes, capacity, 0, reinterpret_cast<sockaddr*>(&address), &addressLength);
    if (n < 0 || address.sin_family != AF_INET) return -1;
    from.ip   = ntohl(address.sin_addr.s_addr);
    from.port = ntohs(address.sin_port);
    return static_cast<int>(n);
}

int datagramDescriptor(DatagramSocket s) {
    int* fd = find(s);
    return fd ? *fd : -1;
}

void datagramClose(DatagramSocket s) {
    int* fd = find(s);
    if (!fd) return;
    ::close(*fd);
    table[s].inUse = false;
}

int datagramBroadcastAddresses(uint32_t addresses[BROADCAST_ADDRESSES_MAX]) {
    int count           = 0;
    ifaddrs* interfaces = nullptr;
    if (::getifaddrs(&interfaces) != 0) return 0;
    for (ifaddrs* i = interfaces; i && count < BROADCAST_ADDRESSES_MAX; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !i->ifa_broadaddr) continue;
        if (!(i->ifa_flags & IFF_UP) || !(i->ifa_flags & IFF_BROADCAST)) continue;
        uint32_t b = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_broadaddr)->sin_addr.s_addr);
        bool seen  = false;
        for (int k = 0; k < count; ++k)
            seen = seen || addresses[k] == b;
        if (!seen) addresses[count++] = b;
    }
    ::freeifaddrs(interfaces);
    return count;
}

void datagramHostName(char* name, std::size_t size) {
    if (size == 0) return;
    if (::gethostname(name, size) != 0 || name[0] == '\0')
        std::snprintf(name, size, "%s", UNNAMED_HOST);
    name[size - 1] = '\0'; // gethostname need not end a name it cut
}

void datagramAddressText(DatagramAddress address, char* text, std::size_t size) {
    std::snprintf(text, size, "%u.%u.%u.%u:%d", address.ip >> 24, (address.ip >> 16) & 0xFF,
                  (address.ip >> 8) & 0xFF, address.ip & 0xFF, address.port);
}
