#pragma once

#include <random>

// The program's pseudo-random numbers: one generator for the whole run with a
// fixed seed, so every run of the program draws the same series.
class RunRandom
{
public:
    // The next number r, 0 <= r < 1.
    double next() { return std::generate_canonical<double, 53>(m_engine); }

private:
    std::mt19937_64 m_engine{20260101u};
};
