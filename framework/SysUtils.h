// Basic system utilities of the framework: the exception class that carries an ANSI
// message, and small text helpers used across the program.
#pragma once
#include <string>
#include <stdexcept>

namespace fw {

// Every library failure is an Exception with a message in the ANSI code page.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }
private:
    std::string message_;
};

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Removes every character of code 32 or below from both ends.
std::string Trim(const std::string& s);

// Upper-cases ASCII letters only; other bytes (double-byte characters included) stay.
std::string AnsiUpperAscii(std::string s);

// Text from UTF-8 (as written in this program's sources) to the system ANSI code page.
std::string FromUtf8(const std::string& utf8);

// ANSI text of the system code page to UTF-8.
std::string ToUtf8(const std::string& ansi);

// Upper and lower case by the user's locale, on ANSI text of the system code page:
// double-byte characters come through intact.
std::string AnsiUpperCase(const std::string& s);
std::string AnsiLowerCase(const std::string& s);

// ANSI text of the system code page to UTF-16.
std::wstring AnsiToWide(const std::string& ansi);

// Reads a 32-bit signed integer: an optional sign, then decimal digits, or a hexadecimal
// prefix ("$", "x", "X", "0x", "0X") and at least one hexadecimal digit; nothing else (no
// blanks). Hexadecimal values use up to 32 bits as two's complement. False when the text
// breaks these rules or a decimal value is out of range.
bool TryStrToInt(const std::string& s, int& value);

// A string resource of the running program by id; the empty text when there is none.
std::string LoadStr(unsigned id);

}  // namespace fw
