// The platform calls a successful sign-in makes between the check's reply and the exam
// page's request, each timed on its own in a fresh process: what the sign-in would cost
// with none of the client's own code around them.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace bench {

// The measuring process's work ("bench_driver --signin-calls [--comctl-loaded]"): prints
// one "step<TAB>ms" line per step on the standard output. With commonControlsLoaded the
// browser control is created with the common controls library already loaded, as it would
// be if nothing had freed it since start-up; the other steps are not made then.
int MeasureSignInCalls(bool commonControlsLoaded);

// Runs the measuring process once and returns its steps in order.
std::vector<std::pair<std::string, double>> RunSignInCalls(bool commonControlsLoaded = false);

}  // namespace bench
