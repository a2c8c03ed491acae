#include "tests/support/FailureOf.h"

#include "framework/SysUtils.h"

namespace harness {

std::string FailureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const fw::Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

}  // namespace harness
