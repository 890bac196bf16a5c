#pragma once

#include <functional>

// A turn for the window's message loop in the middle of a long step (a file's
// digest, the start-up scan of the location line). The window passes its
// processEvents; tests pass a counter. The services never reach the event
// loop themselves.
using YieldTurn = std::function<void()>;
