#include "app/Texts.h"
#include "framework/SysUtils.h"

#include <map>

namespace app {

namespace {
const char* Utf8(Text id) {
    switch (id) {
        case Text::AppTitle: return u8"全国Brenvara-考生端";
        case Text::BrowserCaption: return u8"全国Brenvara-客户端";
        case Text::SplashCaption: return u8"启动画面";
        case Text::AlreadyRunning: return u8"Brenvara主控程序已经运行！";
        case Text::NoticeCaption: return u8"操作提示";
    }
    return "";
}
}  // namespace

const std::string& T(Text id) {
    static std::map<Text, std::string> cache;
    auto it = cache.find(id);
    if (it == cache.end()) it = cache.emplace(id, fw::FromUtf8(Utf8(id))).first;
    return it->second;
}

}  // namespace app
