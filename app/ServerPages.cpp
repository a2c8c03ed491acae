#include "app/ServerPages.h"
#include "framework/SysUtils.h"

namespace app {

std::string EncodeQueryValue(const std::string& value) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : value) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string InfoPageUrl(const std::string& base) { return base + "paper/getKdInfo.jsp"; }

std::string CheckPageUrl(const std::string& base, const std::string& ticket, const std::string& document) {
    return base + "paper/ClientLogin_Exam_Check.jsp?username=" + EncodeQueryValue(ticket) +
           "&password=" + EncodeQueryValue(document);
}

std::string ExamPageUrl(const std::string& base, const std::string& ticket, const std::string& document,
                        const std::string& localIp) {
    return base + "paper/ClientLogin_Exam.jsp?username=" + EncodeQueryValue(ticket) +
           "&password=" + EncodeQueryValue(document) + "&LocalIp=" + localIp;
}

int ReplyCode(const std::string& reply) {
    int code;
    return fw::TryStrToInt(fw::Trim(reply), code) ? code : -1;
}

}  // namespace app
