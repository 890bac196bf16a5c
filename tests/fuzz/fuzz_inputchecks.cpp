// What the user types, through every input check, and the mobile and ID-card
// answer cuts over the same text as a page. Their documented errors (type
// mismatch, overflow, invalid argument) are answers; anything else is a
// fault.
#include "BarcodeCheck.h"
#include "FuzzInput.h"
#include "IdCardNumber.h"
#include "IpAddressCheck.h"
#include "LookupState.h"
#include "MobileNumber.h"
#include "NumberRangeSearch.h"
#include "NumberText.h"

#include <stdexcept>

namespace {

template <typename F> void answered(F &&check)
{
    try {
        check();
    } catch (const std::runtime_error &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QString> f = FuzzFields(data, size, 2);
    const QString &typed = f[0];
    answered([&] { CheckIpAddress(typed); });
    MobileNumber::isWellFormed(typed);
    answered([&] { IdCardNumber::checkForm(typed); });
    if (typed.size() >= 18) {
        answered([&] { IdCardNumber::expectedCheckCharacter(typed); });
        answered([&] { IdCardNumber::verdict(typed); });
        answered([&] { IdCardNumber::sexText(typed); });
        answered([&] { IdCardNumber::birthDateText(typed); });
    }
    answered([&] { BarcodeCheck::hasValidCheckDigit(typed); });
    NumberText::read(typed);
    NumberRangeSearch::from(f[1], typed);
    NumberRangeSearch::nextAbove(typed);
    LookupState state;
    answered([&] { MobileNumber::answerLines(typed, state); });
    answered([&] { IdCardNumber::issuingPlace(typed, state); });
    return 0;
}
