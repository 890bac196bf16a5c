#pragma once

#include "PageLimits.h"

#include <QtGlobal>

#include <chrono>

// How long a page fetch waits and how much it reads before it counts as
// failed. The defaults are what the program ships with: generous for a slow
// line, but a service that never answers cannot hold the program for good.
struct FetchBounds {
    // Name lookup and connection to the host (or the proxy).
    std::chrono::milliseconds connect{30000};
    // No byte of the answer (a header line or a piece of the body) for this long.
    std::chrono::milliseconds stall{30000};
    // The whole fetch, from the start to the last byte.
    std::chrono::milliseconds total{120000};
    // A longer body fails like any other.
    qsizetype maxBodyBytes = kMaxMarkupBytes;
};
