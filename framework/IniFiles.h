// Settings files in the profile (INI) format, read and written through the system's
// private-profile functions: every call goes to the file at once, nothing is cached.
#pragma once
#include <string>

#include "framework/Classes.h"

namespace fw {

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TIniFile : public TObject {
public:
    FW_CLASS(TIniFile)
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }
    // At most 2047 characters are read.
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
    // Raises "Unable to write to <file name>" when the file cannot be written.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);

private:
    std::string fileName_;
};

}  // namespace fw
