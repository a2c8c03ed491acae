// Failures of Windows Sockets as the HTTP client reports them: "Socket Error # n" with a
// line break and a short text of the error number.
#pragma once
#include <string>

#include "framework/HttpProtocol.h"

namespace fw {

class EIdWinSockError : public EIdException {
public:
    explicit EIdWinSockError(int error);
    int LastError() const { return error_; }

private:
    int error_;
};

// The text for a Windows Sockets error number; empty for numbers without one.
std::string WinSockErrorText(int error);

// Starts Windows Sockets for the process once, before the first socket call.
void EnsureWinsock();

}  // namespace fw
