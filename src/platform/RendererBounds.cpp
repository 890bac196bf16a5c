#include "RendererBounds.h"

#include <QByteArray>

#include <sys/resource.h>

namespace RendererBounds
{

void addEngineSwitches()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--js-flags"))
        return;
    flags += " --js-flags=--max-old-space-size=" + QByteArray::number(ScriptHeapMegabytes);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

bool limitPageProcess(qint64 pid)
{
    if (pid <= 0)
        return false;
    rlimit current{};
    if (::prlimit(static_cast<pid_t>(pid), RLIMIT_DATA, nullptr, &current) != 0)
        return false;
    // Never above a limit the process already has.
    rlim_t bound = static_cast<rlim_t>(PageProcessDataBytes);
    if (current.rlim_max != RLIM_INFINITY && current.rlim_max < bound)
        bound = current.rlim_max;
    const rlimit limit{bound, current.rlim_max};
    return ::prlimit(static_cast<pid_t>(pid), RLIMIT_DATA, &limit, nullptr) == 0;
}

} // namespace RendererBounds
