// The system socket calls over WinSock 2. Its errors become the errno values the layers
// above compare with, and its few differences from POSIX are smoothed here: a failed
// connect, a datagram cut short, and an ICMP reply that would end a datagram socket.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <mswsock.h>
#include <windows.h>

#include <cerrno>

#include "net/system_socket.h"

namespace {
constexpr int LISTEN_BACKLOG               = 16;
constexpr uint32_t MICROSECONDS_PER_SECOND = 1000000;
constexpr uint32_t MICROSECONDS_PER_MS     = 1000;
constexpr int INTERFACE_LIST_SIZE          = 32;
constexpr int UNKNOWN_ERROR                = EIO;

struct ErrorPair {
    int winsock;
    int posix;
};
constexpr ErrorPair ERRORS[] = {
    {WSAEWOULDBLOCK,   EWOULDBLOCK  },
    {WSAEINPROGRESS,   EINPROGRESS  },
    {WSAEINTR,         EINTR        },
    {WSAECONNREFUSED,  ECONNREFUSED },
    {WSAENETUNREACH,   ENETUNREACH  },
    {WSAEHOSTUNREACH,  EHOSTUNREACH },
    {WSAETIMEDOUT,     ETIMEDOUT    },
    {WSAECONNRESET,    ECONNRESET   },
    {WSAECONNABORTED,  ECONNABORTED },
    {WSAENETRESET,     ENETRESET    },
    {WSAENETDOWN,      ENETDOWN     },
    {WSAEADDRINUSE,    EADDRINUSE   },
    {WSAEADDRNOTAVAIL, EADDRNOTAVAIL},
    {WSAEACCES,        EACCES       },
    {WSAEMFILE,        EMFILE       },
    {WSAENOBUFS,       ENOBUFS      },
    {WSAENOTCONN,      ENOTCONN     },
    {WSAEMSGSIZE,      EMSGSIZE     },
    {WSAESHUTDOWN,     EPIPE        },
    {WSAENOTSOCK,      EBADF        },
};

int toErrno(int winsockError) {
    for (const ErrorPair& pair : ERRORS)
        if (pair.winsock == winsockError) return pair.posix;
    return UNKNOWN_ERROR;
}

// The last error, kept as errno too: callers read it after other calls may have run.
int failWith(int winsockError) {
    errno = toErrno(winsockError);
    return errno;
}

// WinSock must be started before any call; the first one here does it, once.
bool started() {
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

SOCKET handle(SystemSocket s) {
    return static_cast<SOCKET>(static_cast<uintptr_t>(static_cast<unsigned>(s)));
}

sockaddr_in toSockaddr(uint32_t ipv4, int port) {
    sockaddr_in address{};
    address.sin_family      = AF_INET;
    address.sin_addr.s_addr = htonl(ipv4);
    address.sin_port        = htons(static_cast<uint16_t>(port));
    return address;
}

void setFlag(SOCKET s, int level, int option) {
    const BOOL one = TRUE;
    setsockopt(s, level, option, reinterpret_cast<const char*>(&one), sizeof one);
}

// Non-blocking and not inherited by the programs this one starts (the bots), which would
// otherwise hold the port open after it closes.
SystemSocket prepare(SOCKET s) {
    if (s == INVALID_SOCKET) {
        failWith(WSAGetLastError());
        return NO_SYSTEM_SOCKET;
    }
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
    SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    return static_cast<SystemSocket>(s);
}
} // namespace

int systemSocketError() {
    return errno;
}

bool systemWouldBlock(int error) {
    return error == EWOULDBLOCK || error == EAGAIN || error == EINTR || error == EINPROGRESS;
}

SystemSocket systemSocketOpen(SocketKind kind) {
    if (!started()) return failWith(WSASYSNOTREADY), NO_SYSTEM_SOCKET;
    const bool stream    = kind == SocketKind::STREAM;
    const SystemSocket s = prepare(
        ::socket(AF_INET, stream ? SOCK_STREAM : SOCK_DGRAM, stream ? IPPROTO_TCP : IPPROTO_UDP));
    if (s != NO_SYSTEM_SOCKET && !stream) {
        // Otherwise an ICMP "port unreachable" for an earlier datagram ends the next receive.
        BOOL report = FALSE;
        DWORD bytes = 0;
        WSAIoctl(handle(s), SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &bytes, nullptr,
                 nullptr);
    }
    return s;
}

void systemSocketSetOption(SystemSocket s, SocketOption option) {
    switch (option) {
    // Windows rebinds a port with connections in TIME_WAIT anyway, and its SO_REUSEADDR
    // would let a second host take a port another one listens on.
    case SocketOption::RESTART_LISTENING:
        break;
    case SocketOption::SHARE_PORT:
        setFlag(handle(s), SOL_SOCKET, SO_REUSEADDR);
        break;
    case SocketOption::BROADCAST:
        setFlag(handle(s), SOL_SOCKET, SO_BROADCAST);
        break;
    case SocketOption::NO_DELAY:
        setFlag(handle(s), IPPROTO_TCP, TCP_NODELAY);
        break;
    }
}

bool systemSocketBind(SystemSocket s, int port) {
    sockaddr_in address = toSockaddr(INADDR_ANY, port);
    if (::bind(handle(s), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return true;
    failWith(WSAGetLastError());
    return false;
}

bool systemSocketListen(SystemSocket s) {
    if (::listen(handle(s), LISTEN_BACKLOG) == 0) return true;
    failWith(WSAGetLastError());
    return false;
}

SystemSocket systemSocketAccept(SystemSocket listener) {
    return prepare(::accept(handle(listener), nullptr, nullptr));
}

int systemSocketConnect(SystemSocket s, uint32_t ipv4, int port) {
    sockaddr_in address = toSockaddr(ipv4, port);
    if (::connect(handle(s), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return 0;
    const int error = failWith(WSAGetLastError());
    return systemWouldBlock(error) ? 0 : error;
}

long systemSocketSend(SystemSocket s, const uint8_t* bytes, std::size_t length) {
    const int n =
        ::send(handle(s), reinterpret_cast<const char*>(bytes), static_cast<int>(length), 0);
    if (n == SOCKET_ERROR) return failWith(WSAGetLastError()), -1;
    return n;
}

// A connect still under way reads as "not connected"; one that failed says why in SO_ERROR.
long systemSocketReceive(SystemSocket s, uint8_t* bytes, std::size_t capacity) {
    const int n = ::recv(handle(s), reinterpret_cast<char*>(bytes), static_cast<int>(capacity), 0);
    if (n != SOCKET_ERROR) return n;
    int error = WSAGetLastError();
    if (error == WSAENOTCONN) {
        int failure = 0;
        int size    = sizeof failure;
        getsockopt(handle(s), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&failure), &size);
        error = failure != 0 ? failure : WSAEWOULDBLOCK;
    }
    failWith(error);
    return -1;
}

long systemSocketSendTo(SystemSocket s, uint32_t ipv4, int port, const uint8_t* bytes,
                        std::size_t length) {
    sockaddr_in address = toSockaddr(ipv4, port);
    const int n =
        ::sendto(handle(s), reinterpret_cast<const char*>(bytes), static_cast<int>(length), 0,
                 reinterpret_cast<sockaddr*>(&address), sizeof address);
    if (n == SOCKET_ERROR) return failWith(WSAGetLastError()), -1;
    return n;
}

// WinSock fails a datagram longer than the buffer, having filled the buffer: POSIX cuts it.
long systemSocketReceiveFrom(SystemSocket s, uint8_t* bytes, std::size_t capacity, uint32_t* ipv4,
                             int* port) {
    sockaddr_in address{};
    int length = sizeof address;
    int n = ::recvfrom(handle(s), reinterpret_cast<char*>(bytes), static_cast<int>(capacity), 0,
                       reinterpret_cast<sockaddr*>(&address), &length);
    if (n == SOCKET_ERROR) {
        const int error = WSAGetLastError();
        if (error != WSAEMSGSIZE) return failWith(error), -1;
        n = static_cast<int>(capacity);
    }
    if (address.sin_family != AF_INET) return -1;
    *ipv4 = ntohl(address.sin_addr.s_addr);
    *port = ntohs(address.sin_port);
    return n;
}

bool systemSocketPeer(SystemSocket s, uint32_t* ipv4, int* port) {
    sockaddr_in peer{};
    int length = sizeof peer;
    if (::getpeername(handle(s), reinterpret_cast<sockaddr*>(&peer), &length) != 0 ||
        peer.sin_family != AF_INET)
        return false;
    *ipv4 = ntohl(peer.sin_addr.s_addr);
    *port = ntohs(peer.sin_port);
    return true;
}

void systemSocketShutdownWrite(SystemSocket s) {
    ::shutdown(handle(s), SD_SEND);
}

void systemSocketClose(SystemSocket s) {
    ::closesocket(handle(s));
}

// select: a failed connect shows in the exception set, never as readable, so both are watched.
// With nothing to watch select fails at once, so that wait is a sleep.
bool systemSocketsWait(const SystemSocket* sockets, int count, uint32_t microseconds) {
    fd_set readable, failed;
    FD_ZERO(&readable);
    FD_ZERO(&failed);
    for (int i = 0; i < count && i < FD_SETSIZE; ++i) {
        FD_SET(handle(sockets[i]), &readable);
        FD_SET(handle(sockets[i]), &failed);
    }
    if (readable.fd_count == 0) {
        Sleep(microseconds / MICROSECONDS_PER_MS);
        return false;
    }
    timeval timeout{static_cast<long>(microseconds / MICROSECONDS_PER_SECOND),
                    static_cast<long>(microseconds % MICROSECONDS_PER_SECOND)};
    return ::select(0, &readable, nullptr, &failed, &timeout) > 0;
}

int systemInterfaces(SystemInterface* interfaces, int maxInterfaces) {
    if (!started()) return 0;
    SOCKET probe = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (probe == INVALID_SOCKET) return 0;
    INTERFACE_INFO list[INTERFACE_LIST_SIZE];
    DWORD bytes   = 0;
    const int got = WSAIoctl(probe, SIO_GET_INTERFACE_LIST, nullptr, 0, list, sizeof list, &bytes,
                             nullptr, nullptr);
    ::closesocket(probe);
    if (got != 0) return 0;
    const int listed = static_cast<int>(bytes / sizeof list[0]);
    int count        = 0;
    for (int i = 0; i < listed && count < maxInterfaces; ++i) {
        const sockaddr_in& address = list[i].iiAddress.AddressIn;
        const sockaddr_in& mask    = list[i].iiNetmask.AddressIn;
        if (address.sin_family != AF_INET) continue;
        SystemInterface& found = interfaces[count++];
        found.address          = ntohl(address.sin_addr.s_addr);
        // Windows reports 255.255.255.255 for every interface: the subnet's own is wanted.
        found.broadcast =
            (list[i].iiFlags & IFF_BROADCAST) ? found.address | ~ntohl(mask.sin_addr.s_addr) : 0;
        found.up       = (list[i].iiFlags & IFF_UP) != 0;
        found.loopback = (list[i].iiFlags & IFF_LOOPBACK) != 0;
    }
    return count;
}

bool systemHostName(char* name, std::size_t size) {
    return started() && ::gethostname(name, static_cast<int>(size)) == 0;
}

LookupState systemLookupIpv4(const char* host, uint32_t* ipv4) {
    if (!started()) return LookupState::FAILED;
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
    const bool unknown =
        error == WSAHOST_NOT_FOUND || error == WSANO_DATA || error == WSANO_RECOVERY;
    return unknown ? LookupState::NOT_FOUND : LookupState::FAILED;
}
