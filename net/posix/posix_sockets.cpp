// The system socket calls over POSIX.
#include <arpa/inet.h>
#include <cerrno>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/system_socket.h"

namespace {
constexpr int LISTEN_BACKLOG               = 16;
constexpr int MOST_WATCHED                 = 64;
constexpr uint32_t MICROSECONDS_PER_SECOND = 1000000;
constexpr long NANOSECONDS_PER_MICROSECOND = 1000;

sockaddr_in toSockaddr(uint32_t ipv4, int port) {
    sockaddr_in address{};
    address.sin_family      = AF_INET;
    address.sin_addr.s_addr = htonl(ipv4);
    address.sin_port        = htons(static_cast<uint16_t>(port));
    return address;
}

void setFlag(int fd, int level, int option) {
    int one = 1;
    setsockopt(fd, level, option, &one, sizeof one);
}
} // namespace

int systemSocketError() {
    return errno;
}

bool systemWouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

SystemSocket systemSocketOpen(SocketKind kind) {
    const int type = kind == SocketKind::STREAM ? SOCK_STREAM : SOCK_DGRAM;
    const int fd   = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    return fd < 0 ? NO_SYSTEM_SOCKET : fd;
}

void systemSocketSetOption(SystemSocket s, SocketOption option) {
    switch (option) {
    case SocketOption::RESTART_LISTENING:
    case SocketOption::SHARE_PORT:
        setFlag(s, SOL_SOCKET, SO_REUSEADDR);
        break;
    case SocketOption::BROADCAST:
        setFlag(s, SOL_SOCKET, SO_BROADCAST);
        break;
    case SocketOption::NO_DELAY:
        setFlag(s, IPPROTO_TCP, TCP_NODELAY);
        break;
    }
}

bool systemSocketBind(SystemSocket s, int port) {
    sockaddr_in address = toSockaddr(INADDR_ANY, port);
    return ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool systemSocketListen(SystemSocket s) {
    return ::listen(s, LISTEN_BACKLOG) == 0;
}

SystemSocket systemSocketAccept(SystemSocket listener) {
    const int fd = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    return fd < 0 ? NO_SYSTEM_SOCKET : fd;
}

int systemSocketConnect(SystemSocket s, uint32_t ipv4, int port) {
    sockaddr_in address = toSockaddr(ipv4, port);
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return 0;
    return errno == EINPROGRESS ? 0 : errno;
}

// A gone peer ends writing with an error, never a signal.
long systemSocketSend(SystemSocket s, const uint8_t* bytes, std::size_t length) {
    return ::send(s, bytes, length, MSG_NOSIGNAL);
}

long systemSocketReceive(SystemSocket s, uint8_t* bytes, std::size_t capacity) {
    return ::recv(s, bytes, capacity, 0);
}

long systemSocketSendTo(SystemSocket s, uint32_t ipv4, int port, const uint8_t* bytes,
                        std::size_t length) {
    sockaddr_in address = toSockaddr(ipv4, port);
    return ::sendto(s, bytes, length, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&address),
                    sizeof address);
}

long systemSocketReceiveFrom(SystemSocket s, uint8_t* bytes, std::size_t capacity, uint32_t* ipv4,
                             int* port) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    const long n =
        ::recvfrom(s, bytes, capacity, 0, reinterpret_cast<sockaddr*>(&address), &length);
    if (n < 0 || address.sin_family != AF_INET) return -1;
    *ipv4 = ntohl(address.sin_addr.s_addr);
    *port = ntohs(address.sin_port);
    return n;
}

bool systemSocketPeer(SystemSocket s, uint32_t* ipv4, int* port) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    if (::getpeername(s, reinterpret_cast<sockaddr*>(&peer), &length) != 0 ||
        peer.sin_family != AF_INET)
        return false;
    *ipv4 = ntohl(peer.sin_addr.s_addr);
    *port = ntohs(peer.sin_port);
    return true;
}

void systemSocketShutdownWrite(SystemSocket s) {
    ::shutdown(s, SHUT_WR);
}

void systemSocketClose(SystemSocket s) {
    ::close(s);
}

bool systemSocketsWait(const SystemSocket* sockets, int count, uint32_t microseconds) {
    pollfd watched[MOST_WATCHED];
    nfds_t n = 0;
    for (int i = 0; i < count && n < MOST_WATCHED; ++i)
        watched[n++] = pollfd{sockets[i], POLLIN, 0};
    const timespec timeout{static_cast<time_t>(microseconds / MICROSECONDS_PER_SECOND),
                           static_cast<long>(microseconds % MICROSECONDS_PER_SECOND) *
                               NANOSECONDS_PER_MICROSECOND};
    return ::ppoll(n > 0 ? watched : nullptr, n, &timeout, nullptr) > 0;
}

int systemInterfaces(SystemInterface* interfaces, int maxInterfaces) {
    ifaddrs* all = nullptr;
    if (::getifaddrs(&all) != 0) return 0;
    int count = 0;
    for (ifaddrs* i = all; i && count < maxInterfaces; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
        SystemInterface& found = interfaces[count++];
        found.address = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr);
        found.broadcast =
            (i->ifa_flags & IFF_BROADCAST) && i->ifa_broadaddr
                ? ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_broadaddr)->sin_addr.s_addr)
                : 0;
        found.up       = (i->ifa_flags & IFF_UP) != 0;
        found.loopback = (i->ifa_flags & IFF_LOOPBACK) != 0;
    }
    ::freeifaddrs(all);
    return count;
}

bool systemHostName(char* name, std::size_t size) {
    return ::gethostname(name, size) == 0;
}

LookupState systemLookupIpv4(const char* host, uint32_t* ipv4) {
    addrinfo hints{};
    hints.ai_family   = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found   = nullptr;
    const int error   = ::getaddrinfo(host, nullptr, &hints, &found);
    if (error == 0 && found) {
        *ipv4 = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
        ::freeaddrinfo(found);
        return LookupState::FOUND;
    }
    const bool unknown = error == EAI_NONAME || error == EAI_NODATA || error == EAI_FAIL;
    return unknown ? LookupState::NOT_FOUND : LookupState::FAILED;
}
