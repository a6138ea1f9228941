#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// Takes typed fields out of JSON objects and remembers the first one that is missing, of the
// wrong type or out of range, so a caller can read a whole record and check once.
class CJsonFieldReader
{
public:
    bool IsOk() const { return m_strError.isEmpty(); }
    const QString& Error() const { return m_strError; }
    void Fail(const QString& reason);

    qint64 Integer(const QJsonObject& object, const char* name, qint64 min, qint64 max);
    qint32 Int32(const QJsonObject& object, const char* name);
    quint32 UInt32(const QJsonObject& object, const char* name);
    quint8 Byte(const QJsonObject& object, const char* name);
    qint32 Flag(const QJsonObject& object, const char* name);
    QString String(const QJsonObject& object, const char* name);
    QJsonObject Object(const QJsonObject& object, const char* name);
    QJsonArray Array(const QJsonObject& object, const char* name);

private:
    QJsonValue Field(const QJsonObject& object, const char* name, QJsonValue::Type type);

    QString m_strError;
};
