// The proxy dialog's Test as a batch run sees it: the test runs on a thread of its own, in
// real time, while the scenario's clock stands; the run waits for it to end and names its
// outcome, checked against what the module showed and logged for it.
#pragma once

#include <string>

#include "testbed/launcher/launcher_run.h"

namespace orv::launcher {

// Waits, at most `limit_ms` of real time, until a proxy test newer than the last one awaited
// has ended and the module has answered it. Returns its outcome as scenarios name it: "ok",
// "refused", "time-out", "authentication-rejected", "target-unreachable", "malformed"; or
// what went wrong: "no test ran", "still running after ... ms", "inconsistent: ...".
std::string AwaitProxyTest(Run* run, int limit_ms);

}  // namespace orv::launcher
