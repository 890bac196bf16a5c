#include "PageRequestGate.h"

void PageRequestGate::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    // Called on the window's thread, so the flag needs no lock.
    if (!m_open)
        info.block(true);
}
