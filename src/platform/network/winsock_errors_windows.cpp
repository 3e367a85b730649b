// On Windows the system's own numbers are the WinSock ones.
#include <asio/error.hpp>

#include "platform/network/winsock_errors.h"

namespace wyn {

// The system's own numbers are already the WinSock ones (WSAECONNREFUSED is
// 10061); a portable error condition has none.
int winsockErrorNumber(const std::error_code& error) {
    const auto& category = error.category();
    if (category == std::system_category() || category == asio::system_category()) {
        return error.value();
    }
    return kWinsockSystemCallFailure;
}

int winsockLookupErrorNumber(int addrInfoError, int /*systemError*/) {
    return addrInfoError;
}

}  // namespace wyn
