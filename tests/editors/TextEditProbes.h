// A TdxEdit that counts what reaches it and what it hands the rich edit, and a fixture for it.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "editors/dxEdLib.h"
#include "editors/dxEditorUnit.h"
#include "tests/editors/EditProbes.h"
#include "tests/support/Clipboard.h"
#include "tests/support/Harness.h"

namespace editors_test {

class TextProbe : public editors::TdxEdit {
public:
    FW_CLASS(TextProbe)
    using TdxEdit::TdxEdit;

    std::map<UINT, int> count;                   // every message through WndProc, by id
    std::vector<std::pair<UINT, WPARAM>> toClass;  // every message the rich edit's procedure got
    int changes = 0, selectionChanges = 0, selectAlls = 0;
    std::vector<char> keyPresses;

    void WndProc(fw::TMessage& m) override {
        ++count[m.Msg];
        TdxEdit::WndProc(m);
    }
    void SelectAll() override {
        ++selectAlls;
        TdxEdit::SelectAll();
    }
    int Sent(UINT msg) const {
        int n = 0;
        for (const auto& m : toClass) n += m.first == msg;
        return n;
    }

protected:
    void CreateWnd() override;

private:
    static LRESULT CALLBACK Recorder(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    WNDPROC original_ = nullptr;
};

// A data link that answers as told; no edit of the program has one.
class FakeLink : public editors::TdxEditDataLink {
public:
    int maxLength = 7;
    bool CanModify() override { return true; }
    editors::TAlignment GetAlignment() override { return editors::taLeftJustify; }
    void GetValue(fw::Variant& Value) override { Value = fw::Variant(std::string("linked")); }
    int GetMaxLength() override { return maxLength; }
    void GetDisplayValue(fw::Variant& Value) override { Value = fw::Variant(std::string("linked")); }
    bool canEdit = true;
    bool CanEdit() override { return canEdit; }
    bool GetReadOnly() override { return false; }
    bool IsValidChar(char) override { return true; }
    void Reset() override {}
    void SetValue(const fw::Variant&) override {}
    void UpdateLink() override {}
    bool ExecuteAction(fw::TAction*) override { return false; }
    bool UpdateAction(fw::TAction*) override { return false; }
};

class LinkedProbe : public TextProbe {
public:
    FW_CLASS(LinkedProbe)
    using TextProbe::TextProbe;
    editors::TdxEditDataLink* CreateDataLink() override { return new FakeLink(); }
    FakeLink* Link() { return static_cast<FakeLink*>(DataLink()); }
};

class TextEditFixture : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        editors::dxEditorUnit().Initialize();
    }
    void TearDown() override {
        EditFixture::TearDown();
        editors::dxEditorUnit().Finalize();
    }
    // A text edit on the form with its window, counting OnChange and OnSelectionChange.
    template <class T = TextProbe>
    T* AddText(const std::string& text = std::string(), int left = 10, int top = 10) {
        T* e = Add<T>(left, top);
        e->OnChange = [e](fw::TObject*) { ++e->changes; };
        e->OnSelectionChange = [e](fw::TObject*) { ++e->selectionChanges; };
        e->OnKeyPress = [e](fw::TObject*, char& key) { e->keyPresses.push_back(key); };
        if (!text.empty()) e->SetText(text);
        e->Handle();
        e->changes = 0;
        return e;
    }
    // An edit that has no window yet (nor a parent to make one).
    template <class T = TextProbe>
    T* Unparented() {
        T* e = fw::Create<T>(form);
        e->SetBounds(10, 60, e->Width(), e->Height());
        return e;
    }
};

inline bool HasStyle(HWND wnd, LONG bits) { return (GetWindowLongA(wnd, GWL_STYLE) & bits) == bits; }

}  // namespace editors_test
