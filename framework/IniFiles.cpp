#include "framework/IniFiles.h"

#include <windows.h>

namespace fw {

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const {
    char buffer[2048];
    DWORD n = GetPrivateProfileStringA(section.c_str(), ident.c_str(), def.c_str(), buffer, sizeof buffer,
                                       fileName_.c_str());
    return std::string(buffer, n);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), fileName_.c_str()))
        throw EIniFileException("Unable to write to " + fileName_);
}

}  // namespace fw
