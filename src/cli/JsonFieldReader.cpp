#include "JsonFieldReader.h"

#include <cmath>
#include <limits>

void CJsonFieldReader::Fail(const QString& reason)
{
    if (m_strError.isEmpty())
        m_strError = reason;
}

QJsonValue CJsonFieldReader::Field(const QJsonObject& object, const char* name,
                                   QJsonValue::Type type)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.type() != type)
    {
        Fail(QStringLiteral("\"%1\" is missing or not of the right type").arg(QLatin1String(name)));
        return QJsonValue(type);
    }
    return value;
}

qint64 CJsonFieldReader::Integer(const QJsonObject& object, const char* name, qint64 min,
                                 qint64 max)
{
    const double number = Field(object, name, QJsonValue::Double).toDouble();
    if (number != std::floor(number) || number < static_cast<double>(min) ||
        number > static_cast<double>(max))
    {
        Fail(QStringLiteral("\"%1\" is out of range").arg(QLatin1String(name)));
        return 0;
    }
    return static_cast<qint64>(number);
}

qint32 CJsonFieldReader::Int32(const QJsonObject& object, const char* name)
{
    return static_cast<qint32>(Integer(object, name, std::numeric_limits<qint32>::min(),
                                       std::numeric_limits<qint32>::max()));
}

quint32 CJsonFieldReader::UInt32(const QJsonObject& object, const char* name)
{
    return static_cast<quint32>(Integer(object, name, 0, std::numeric_limits<quint32>::max()));
}

quint8 CJsonFieldReader::Byte(const QJsonObject& object, const char* name)
{
    return static_cast<quint8>(Integer(object, name, 0, std::numeric_limits<quint8>::max()));
}

qint32 CJsonFieldReader::Flag(const QJsonObject& object, const char* name)
{
    return Field(object, name, QJsonValue::Bool).toBool() ? 1 : 0;
}

QString CJsonFieldReader::String(const QJsonObject& object, const char* name)
{
    return Field(object, name, QJsonValue::String).toString();
}

QJsonObject CJsonFieldReader::Object(const QJsonObject& object, const char* name)
{
    return Field(object, name, QJsonValue::Object).toObject();
}

QJsonArray CJsonFieldReader::Array(const QJsonObject& object, const char* name)
{
    return Field(object, name, QJsonValue::Array).toArray();
}
