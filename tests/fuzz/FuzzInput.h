#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzers' bytes as the texts a target takes: UTF-8 fields separated by
// NUL bytes, missing fields empty.
inline QList<QString> FuzzFields(const uint8_t *data, size_t size, int count)
{
    const QList<QByteArray> parts =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)).split('\0');
    QList<QString> fields;
    for (int i = 0; i < count; ++i)
        fields.append(i < parts.size() ? QString::fromUtf8(parts.at(i)) : QString());
    return fields;
}
