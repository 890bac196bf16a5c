#pragma once

#include "FetchBounds.h"

#include <chrono>

// Fetch bounds short enough for a test: the stall and total bounds a row names,
// and a connect bound that the stand-in on 127.0.0.1 never comes near.
inline FetchBounds ShortFetchBounds(int stallMs, int totalMs)
{
    FetchBounds bounds;
    bounds.connect = std::chrono::milliseconds(2000);
    bounds.stall = std::chrono::milliseconds(stallMs);
    bounds.total = std::chrono::milliseconds(totalMs);
    return bounds;
}
