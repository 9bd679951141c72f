// Taking apart a typed address: blanks around the host, an optional port, dotted numbers.
#include "net/join_address.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr long HIGHEST_PORT      = 65535;
constexpr int PORT_DIGITS_MAX    = 5;
constexpr int DOTTED_NUMBERS     = 4;
constexpr long DOTTED_NUMBER_MAX = 255;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Four numbers of 0 to 255 between three dots, each of one to three digits.
bool readDotted(const char* host, uint32_t* ipv4) {
    uint32_t value = 0;
    int numbers    = 0;
    for (const char* c = host;; ++c) {
        int digits = 0;
        long n     = 0;
        for (; *c >= '0' && *c <= '9' && digits < 4; ++c, ++digits)
            n = n * 10 + (*c - '0');
        if (digits == 0 || digits > 3 || n > DOTTED_NUMBER_MAX) return false;
        value = value << 8 | static_cast<uint32_t>(n);
        if (++numbers == DOTTED_NUMBERS) {
            *ipv4 = value;
            return *c == '\0';
        }
        if (*c != '.') return false;
    }
}

bool readPort(const char* text, int* port) {
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > PORT_DIGITS_MAX || std::strspn(text, "0123456789") != length)
        return false;
    long value = 0;
    for (const char* c = text; *c; ++c)
        value = value * 10 + (*c - '0');
    if (value < 1 || value > HIGHEST_PORT) return false;
    *port = static_cast<int>(value);
    return true;
}
} // namespace

AddressProblem parseJoinAddress(const char* typed, int defaultPort, JoinAddress* out) {
    *out              = JoinAddress{};
    out->port         = defaultPort;
    const char* start = typed ? typed : "";
    const char* colon = std::strchr(start, ':');
    const char* end   = colon ? colon : start + std::strlen(start);
    while (start < end && isBlank(*start))
        ++start;
    while (end > start && isBlank(end[-1]))
        --end;
    if (colon) {
        char portText[PORT_DIGITS_MAX + 2];
        const char* p = colon + 1;
        while (isBlank(*p))
            ++p;
        std::size_t n = std::strlen(p);
        while (n > 0 && isBlank(p[n - 1]))
            --n;
        if (n > PORT_DIGITS_MAX) return AddressProblem::BAD_PORT;
        std::memcpy(portText, p, n);
        portText[n] = '\0';
        if (!readPort(portText, &out->port)) return AddressProblem::BAD_PORT;
    }
    const std::size_t length = static_cast<std::size_t>(end - start);
    if (length == 0) return AddressProblem::EMPTY;
    if (length >= JOIN_HOST_SIZE) return AddressProblem::TOO_LONG;
    std::memcpy(out->host, start, length);
    out->host[length] = '\0';
    out->dotted       = readDotted(out->host, &out->ipv4);
    // Digits and dots alone are meant as a dotted address: asking a name service for one
    // that is not complete would only fail, perhaps after seconds.
    if (!out->dotted && std::strspn(out->host, "0123456789.") == length)
        return AddressProblem::INCOMPLETE;
    return AddressProblem::NONE;
}
