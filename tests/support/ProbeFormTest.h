// A test case on a bare form at (100, 100), 400 by 300, freed after the case, with the rich
// edit's library loaded so that probes may superclass its window class.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/support/ControlProbes.h"

namespace harness {

class ProbeFormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A probe owned by the form, on `parent`, superclassing `base` (see ProbeControl).
    ProbeControl* AddProbe(fw::TWinControl* parent, const std::string& base = "RichEdit20A");

    BareForm* form = nullptr;
};

}  // namespace harness
