#include "BarcodeAnswer.h"

#include "LookupState.h"
#include "PageText.h"

#include <optional>
#include <stdexcept>

namespace BarcodeAnswer {

QString complaintText(const QString &pageText, const QString &shown)
{
    QString text = shown;
    if (pageText.contains(WrongPrefixMarker))
        text = WrongPrefixText;
    if (pageText.contains(TooShortMarker))
        text = WrongPrefixText;
    return text;
}

QString companyText(const QString &pageText, const QString &code, bool shortRetry, const QString &shown,
                    LookupState &state)
{
    QString text = complaintText(pageText, shown);

    // A position that does not fit 16 bits leaves its variable as it was; the
    // cut then is not made at all, rather than with a position left over from
    // some earlier page.
    std::optional<Pos16> start;
    std::optional<Pos16> end;
    try {
        start = shortRetry ? Pos16(FindTextPos(code.left(6), pageText)) + 7
                           : Pos16(FindTextPos(code.left(7), pageText)) + 8;
        state.CutStart = *start;
    } catch (const OverflowError &) {
    }
    try {
        end = Pos16(FindTextPos(RowEndMarker, pageText));
        state.CutEnd = *end;
    } catch (const OverflowError &) {
    }
    if (start && end) {
        try {
            text = CompanyLabel + Cut(pageText, *start, *end);
        } catch (const std::exception &) {
            // No "查看" behind the prefix: the box keeps what it held.
        }
    }
    text.remove(u' ');
    return text;
}

QString withCredit(const QString &shown, const QString &credit)
{
    QString text = shown;
    if (!credit.isEmpty())
        text.remove(credit);
    return text + QStringLiteral("\r\n") + CreditLabel + credit;
}

} // namespace BarcodeAnswer
