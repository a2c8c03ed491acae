#include "framework/ActnList.h"
#include "framework/AppEvnts.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/WebBrowser.h"
#include "framework/XMLDoc.h"

namespace fw {

void RegisterFormsClasses() {
    TClassRegistry::Register<TImage>();
    TClassRegistry::Register<TLabel>();
    TClassRegistry::Register<TEdit>();
    TClassRegistry::Register<TActionList>();
    TClassRegistry::Register<TAction>();
    TClassRegistry::Register<TApplicationEvents>();
    TClassRegistry::Register<TXMLDocument>();
    TClassRegistry::Register<TWebBrowser>();
    TClassRegistry::Register<TPopupMenu>();
    TClassRegistry::Register<TMenuItem>();
    TClassRegistry::Register<TImageList>();
}

}  // namespace fw
