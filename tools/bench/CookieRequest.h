// A request that carries the most cookie bytes the client keeps, against the same request
// with no cookies: what building and sending it costs, and whether the window of the
// thread making it keeps answering meanwhile.
#pragma once
#include <cstddef>
#include <vector>

#include "tools/bench/Measure.h"

namespace bench {

struct CookieRequestRun {
    bool ok = false;
    std::vector<double> withMs, withoutMs;  // one sign-in check each, request to reply
    size_t cookiesKept = 0, requestBytes = 0, plainBytes = 0;
    ProbeResult probe;  // the requesting thread's window, while it makes requests
};

// Scripted servers on six loopback hosts each set 50 cookies of 4096 bytes (name and value)
// in one reply, filling the store to its 300; then, on a thread with a window and an
// anti-freeze (OnlyWhenIdle False, as in a sign-in), the sign-in check is requested from
// the first host by that client and by a client without cookies, in turns, `requests`
// times each and for at least probeMs while the window is probed.
CookieRequestRun RunCookieRequests(int requests, double probeMs);

}  // namespace bench
