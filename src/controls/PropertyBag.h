#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// The stored description of one control instance on a window: key -> value
// ("Caption", "MaxLength"). A control loads from it with its current value as
// the default and saves to it always, so a missing key leaves the control as
// it was and an empty value is still written.
class PropertyBag
{
public:
    QVariant read(const QString &key, const QVariant &defaultValue) const { return m_values.value(key, defaultValue); }
    void write(const QString &key, const QVariant &value) { m_values.insert(key, value); }
    bool contains(const QString &key) const { return m_values.contains(key); }
    void remove(const QString &key) { m_values.remove(key); }

private:
    QMap<QString, QVariant> m_values;
};
