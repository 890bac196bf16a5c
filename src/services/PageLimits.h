#pragma once

// The most bytes of one page the program reads, whether fetched or read from a browser view.
inline constexpr int kMaxPageBytes = 8 * 1024 * 1024;
