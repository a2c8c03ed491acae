// The message of the framework exception a call raised, or "(no exception)".
#pragma once
#include <functional>
#include <string>

namespace harness {

std::string FailureOf(const std::function<void()>& call);

}  // namespace harness
