// The examination server's pages as the client addresses them, and the reading of the
// sign-in check's reply.
#pragma once
#include <string>

namespace app {

// Every byte of a typed value outside the unreserved characters (letters, digits, "-",
// ".", "_", "~") as "%XX", so that the server receives exactly what was typed.
std::string EncodeQueryValue(const std::string& value);

std::string InfoPageUrl(const std::string& base);
std::string CheckPageUrl(const std::string& base, const std::string& ticket, const std::string& document);
std::string ExamPageUrl(const std::string& base, const std::string& ticket, const std::string& document,
                        const std::string& localIp);

// The sign-in check's reply as a code: blanks and control characters at both ends are
// removed and the rest read as a 32-bit integer; -1 for anything that does not read.
int ReplyCode(const std::string& reply);

}  // namespace app
