#include "FixedLineAnswer.h"

#include "LookupState.h"
#include "PageText.h"

#include <QStringView>

namespace FixedLineAnswer
{

bool scanFor(const QString &marker, const QString &text, const std::function<bool()> &yieldTurn)
{
    const QStringView page(text);
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page.mid(i, marker.size()) == marker)
            return true;
        if (yieldTurn && !yieldTurn())
            return false;
    }
    return false;
}

QString locationCut(const QString &page, LookupState &state)
{
    state.CutStart = OffsetPosition(FindTextPos(AreaMarker, page), 11);
    state.CutEnd = OffsetPosition(FindTextPos(EndMarker, page), -9);
    return Mid(page, state.CutStart, state.CutEnd - state.CutStart - 1);
}

} // namespace FixedLineAnswer
