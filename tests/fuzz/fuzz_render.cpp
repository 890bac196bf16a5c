// Page bytes as the fetch gets them: decoded as GBK, then rendered.
#include "GbkCodec.h"
#include "RenderedText.h"

#include <QByteArray>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = RenderInnerText(Gbk::decode(bytes));
    (void)text;
    return 0;
}
