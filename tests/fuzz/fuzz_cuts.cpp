// The page cuts: marker search, the 16-bit positions, Mid and the marked
// cut, with markers, text and numbers all from the input. The 16-bit and Mid
// errors are the cuts' own answers; anything else is a fault.
#include "FuzzInput.h"
#include "MarkedCut.h"
#include "PageText.h"

#include <cstring>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QString> f = FuzzFields(data, size, 4);
    const QString &text = f[0];
    long long offsets[2] = {0, 0};
    const QByteArray numbers = f[3].toLatin1();
    std::memcpy(offsets, numbers.constData(), std::min<size_t>(sizeof offsets, static_cast<size_t>(numbers.size())));
    const int open = FindTextPos(f[1], text);
    const int close = FindTextPos(f[2], text);
    if (open < 0 || open > text.size() + 1 || close < 0 || close > text.size() + 1)
        std::abort();
    try {
        Mid(text, offsets[0], offsets[1]);
        Mid(text, offsets[0]);
    } catch (const std::runtime_error &) {
    }
    try {
        const Pos16 start = Pos16(open) + static_cast<int>(offsets[0] % 70000);
        const Pos16 end = Pos16(close) - static_cast<int>(offsets[1] % 70000);
        Cut(text, start, end);
    } catch (const std::runtime_error &) {
    }
    if (const auto cut = MarkedCut(text, f[1], f[2]); cut && cut->size() > text.size())
        std::abort();
    return 0;
}
