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
        case Text::SignInNoticeCaption: return u8"登陆提示";
        case Text::SignInFailedCaption: return u8"登陆失败";
        case Text::EnterTicket: return u8"请输入准考证号！";
        case Text::EnterDocument: return u8"请输入身份证件号！";
        case Text::ChooseServer: return u8"请选择服务器！";
        case Text::Refusal1: return u8"无法连接远程服务器,请检查网络连接！";
        case Text::Refusal2: return u8"准考证号或身份证件号错误！";
        case Text::Refusal3: return u8"你已经登录或非正常退出！";
        case Text::Refusal4: return u8"你已经交卷，不能继续登录！";
        case Text::Refusal5: return u8"你的考试已被取消，不能继续登录！";
        case Text::Refusal6: return u8"没有安排场次,不能考试！";
        case Text::Refusal7: return u8"未到考试时间，不能考试！";
        case Text::UnknownReplyCode: return u8"服务器返回了无法识别的登录结果（%d），请与监考老师联系！";
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

const std::string* RefusalText(int code) {
    static const Text texts[] = {Text::Refusal1, Text::Refusal2, Text::Refusal3, Text::Refusal4,
                                 Text::Refusal5, Text::Refusal6, Text::Refusal7};
    return code <= -1 && code >= -7 ? &T(texts[-code - 1]) : nullptr;
}

}  // namespace app
