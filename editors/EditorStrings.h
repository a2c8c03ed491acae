// Ids of the editors' string table (38901 to 38956, one language-neutral block).
#pragma once

namespace editors {

constexpr unsigned FirstEditorStringId = 38901, LastEditorStringId = 38956;

constexpr unsigned sdxTodayCaption = 38903, sdxClearCaption = 38904;
constexpr unsigned sdxFirstDialogButtonCaption = 38905;  // "&OK", "&Cancel", "&Close"
constexpr unsigned sdxFirstPopupMenuCaption = 38908;     // six captions, save before load
constexpr unsigned sdxFirstToolCaption = 38914;          // six captions with accelerators
constexpr unsigned sdxFirstToolText = 38920;             // the same six as plain texts
constexpr unsigned sdxInvalidDate = 38927;
constexpr unsigned sdxFirstDateWord = 38928;             // twenty date keywords
constexpr unsigned sdxInvalidInput = 38948;
constexpr unsigned sdxCalcError = 38951;

}  // namespace editors
