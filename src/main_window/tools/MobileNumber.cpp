#include "MobileNumber.h"

#include "NumberText.h"
#include "PageText.h"

namespace MobileNumber
{

bool isWellFormed(const QString &number)
{
    return number.size() == 11 && NumberText::isNumeric(number);
}

QString answerLines(const QString &page, LookupState &state)
{
    const QString crLf = QStringLiteral("\r\n");
    state.CutStart = FindTextPos(PlaceMarker, page);
    state.CutEnd = FindTextPos(CardTypeMarker, page);
    state.CutEnd2 = FindTextPos(AreaCodeMarker, page);
    // The last two positions are plain 32-bit numbers: the sums that use
    // them are not held to 16 bits.
    const int postCode = FindTextPos(PostCodeMarker, page);
    const int more = FindTextPos(MoreMarker, page);

    const Pos16 place = state.CutStart;
    const Pos16 cardType = state.CutEnd;
    const Pos16 areaCode = state.CutEnd2;

    // Each value starts right after its marker; the first three end two
    // characters before the next marker on the page, the last right before
    // " 更详细的..". The lines are shown in a different order from the page's.
    QString text = QStringLiteral("归属：") + Mid(page, place + 5, cardType - place - 6) + crLf;
    text += QStringLiteral("区号：") + Mid(page, areaCode + 3, postCode - int(areaCode) - 4) + crLf;
    text += QStringLiteral("卡型：") + Mid(page, cardType + 5, areaCode - cardType - 6) + crLf;
    text += QStringLiteral("邮编：") + Mid(page, postCode + 3, more - postCode - 3);
    return text;
}

} // namespace MobileNumber
