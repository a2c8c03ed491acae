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
    SignInNoticeCaption, // presence checks
    SignInFailedCaption, // refusals
    EnterTicket,
    EnterDocument,
    ChooseServer,
    Refusal1, Refusal2, Refusal3, Refusal4, Refusal5, Refusal6, Refusal7,
    UnknownReplyCode,    // a reply code the program does not know; %d is the code
};

// The message of a refusal code -1 to -7; null for any other code.
const std::string* RefusalText(int code);

const std::string& T(Text id);

}  // namespace app
