#include "tests/support/ProbeFormTest.h"

namespace harness {

void ProbeFormTest::SetUp() {
    ASSERT_TRUE(LoadLibraryA("riched20.dll"));
    form = fw::Create<BareForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
}

void ProbeFormTest::TearDown() { fw::Free(form); }

ProbeControl* ProbeFormTest::AddProbe(fw::TWinControl* parent, const std::string& base) {
    auto* p = fw::Create<ProbeControl>(form, base);
    p->SetParent(parent);
    return p;
}

}  // namespace harness
