#pragma once

#include <QtGlobal>

// What one page may cost Chromium's processes. Qt WebEngine has no setting of
// its own for it, so the bounds are the engine's switches, given before it
// starts, and the kernel's limit on a page process's private memory.
namespace RendererBounds
{

// A script's heap, megabytes (V8's old space); past it the page's process ends.
constexpr int ScriptHeapMegabytes = 512;
// A page process's private writable memory (RLIMIT_DATA), bytes; past it an
// allocation fails and the process ends. Well above an ordinary page's need.
constexpr qint64 PageProcessDataBytes = qint64(2) << 30;

// Adds the script heap switch to QTWEBENGINE_CHROMIUM_FLAGS, keeping the
// user's own: a --js-flags given there already is left as it is. Call before
// the QApplication is made.
void addEngineSwitches();

// Puts the data limit on the page process with this id (as its page
// reports it); false when the kernel refuses.
bool limitPageProcess(qint64 pid);

} // namespace RendererBounds
