#include "IpAddressCheck.h"

#include "NumberText.h"

#include <cmath>

namespace {

// The part read as a number and floored; no number at all is an error, not a
// refusal.
bool partInRange(const QString &part)
{
    const std::optional<double> value = NumberText::read(part);
    if (!value)
        throw TypeMismatchError();
    const double whole = std::floor(*value);
    return whole >= 0 && whole <= 255;
}

} // namespace

IpAddressForm CheckIpAddress(const QString &typed)
{
    if (typed.size() < 7 || typed.size() > 15)
        return IpAddressForm::Refused;
    QString copy = typed;
    copy.replace(QLatin1Char('*'), QLatin1Char('0'));

    // Each part is read before the next dot is looked for.
    QString rest = copy;
    for (int part = 1; part <= 3; ++part) {
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        if (dot < 0)
            return IpAddressForm::Refused;
        if (!partInRange(rest.left(dot)))
            return IpAddressForm::Refused;
        rest = rest.mid(dot + 1);
    }
    // A further dot after the third leaves part 4 untested.
    if (rest.contains(QLatin1Char('.')))
        return IpAddressForm::Passes;
    return partInRange(rest) ? IpAddressForm::Passes : IpAddressForm::Refused;
}
