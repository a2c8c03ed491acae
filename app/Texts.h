// The program's own user-facing texts, in the system ANSI code page. Written once here as
// UTF-8 and converted on first use, so no other file deals with code pages.
#pragma once
#include <string>

namespace app {

enum class Text {
    AppTitle,            // application title and login form caption
    BrowserCaption,      // exam browser form caption
    SplashCaption,
    AlreadyRunning,
    NoticeCaption,       // "operation notice"
};

const std::string& T(Text id);

}  // namespace app
