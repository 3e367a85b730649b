// Linux numbers its socket and lookup failures with errno and EAI_* values;
// they are mapped to WinSock's by name.
#include "platform/network/winsock_errors.h"

#include <netdb.h>

#include <cerrno>

#include <asio/error.hpp>

namespace wyn {

namespace {

struct ErrnoMapping {
    int errnoValue;
    int winsock;
};

// WinSock numbers the BSD socket errors as 10000 plus the BSD value; the errno
// values of other systems differ, so they are mapped by name. A cancelled call
// reads as an interrupted one, a send to a peer that is gone as a reset.
constexpr ErrnoMapping kErrnoMappings[] = {
    {EINTR, 10004},           {ECANCELED, 10004},    {EBADF, 10009},
    {EACCES, 10013},          {EFAULT, 10014},       {EINVAL, 10022},
    {EMFILE, 10024},          {ENFILE, 10024},       {EWOULDBLOCK, 10035},
    {EAGAIN, 10035},          {EINPROGRESS, 10036},  {EALREADY, 10037},
    {ENOTSOCK, 10038},        {EDESTADDRREQ, 10039}, {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},      {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044}, {EOPNOTSUPP, 10045},   {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047},    {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},        {ENETUNREACH, 10051},  {ENETRESET, 10052},
    {ECONNABORTED, 10053},    {ECONNRESET, 10054},   {EPIPE, 10054},
    {ENOBUFS, 10055},         {ENOMEM, 10055},       {EISCONN, 10056},
    {ENOTCONN, 10057},        {ESHUTDOWN, 10058},    {ETOOMANYREFS, 10059},
    {ETIMEDOUT, 10060},       {ECONNREFUSED, 10061}, {ELOOP, 10062},
    {ENAMETOOLONG, 10063},    {EHOSTDOWN, 10064},    {EHOSTUNREACH, 10065},
};

int winsockNumberOfErrno(int value) {
    for (const auto& mapping : kErrnoMappings) {
        if (mapping.errnoValue == value) {
            return mapping.winsock;
        }
    }
    return kWinsockSystemCallFailure;
}

constexpr int kHostNotFound = 11001;
constexpr int kTryAgain = 11002;
constexpr int kNoRecovery = 11003;
constexpr int kNoData = 11004;

}  // namespace

int winsockErrorNumber(const std::error_code& error) {
    const auto& category = error.category();
    // Asio reports socket failures in a system category of its own.
    if (category == std::system_category() || category == std::generic_category() ||
        category == asio::system_category()) {
        return winsockNumberOfErrno(error.value());
    }
    return kWinsockSystemCallFailure;
}

int winsockLookupErrorNumber(int addrInfoError, int systemError) {
    switch (addrInfoError) {
        case EAI_NONAME:
            return kHostNotFound;
        case EAI_AGAIN:
            return kTryAgain;
        case EAI_FAIL:
            return kNoRecovery;
#ifdef EAI_NODATA
        case EAI_NODATA:
            return kNoData;
#endif
#ifdef EAI_ADDRFAMILY
        case EAI_ADDRFAMILY:
            return kNoData;
#endif
        case EAI_SERVICE:
            return kNoData;
        case EAI_MEMORY:
            return 10055;
        case EAI_SYSTEM:
            return winsockNumberOfErrno(systemError);
        default:
            return kNoRecovery;
    }
}

}  // namespace wyn
