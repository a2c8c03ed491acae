// A stand-in for an edit as the style model sees it: the controller it follows, and a
// log of the times it was told of a style change.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "editors/dxCntner.h"

namespace editors_test {

struct FakeEdit : fw::TObject, editors::TdxStyledEdit {
    explicit FakeEdit(std::string n = "edit", std::vector<std::string>* l = nullptr) : name(std::move(n)), log(l) {}

    editors::TdxEditStyleController* StyleController() const override { return controller; }
    void StyleChanged() override {
        ++changes;
        if (log) log->push_back("changed " + name);
        if (onChanged) onChanged();
    }
    fw::TObject* EditObject() override { return this; }

    std::string name;
    std::vector<std::string>* log;
    editors::TdxEditStyleController* controller = nullptr;
    int changes = 0;
    std::function<void()> onChanged;
};

}  // namespace editors_test
