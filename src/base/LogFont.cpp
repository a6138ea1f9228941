#include "LogFont.h"

#include "Windows1252.h"

#include <QtEndian>

#include <cstring>

namespace
{
constexpr int IntegerCount = 5;
constexpr int ByteCount = 8;
constexpr int FaceNameOffset = IntegerCount * 4 + ByteCount;

void PutInt(char* at, qint32 value)
{
    qToLittleEndian(value, at);
}

qint32 TakeInt(const char* at)
{
    return qFromLittleEndian<qint32>(at);
}
} // namespace

void CLogFont::SetFaceName(const QString& faceName)
{
    lfFaceName = faceName.left(MaxFaceNameLength);
}

QByteArray CLogFont::ToRecord() const
{
    QByteArray record(RecordSize, '\0');
    char* at = record.data();
    for (qint32 value : {lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight})
    {
        PutInt(at, value);
        at += 4;
    }
    for (quint8 value : {lfItalic, lfUnderline, lfStrikeOut, lfCharSet, lfOutPrecision,
                         lfClipPrecision, lfQuality, lfPitchAndFamily})
        *at++ = static_cast<char>(value);

    QByteArray faceName;
    if (!EncodeWindows1252(lfFaceName, faceName))
        faceName = lfFaceName.toLatin1();
    std::memcpy(at, faceName.constData(), qMin<qsizetype>(faceName.size(), MaxFaceNameLength));
    return record;
}

bool CLogFont::ReadRecord(QByteArrayView bytes)
{
    if (bytes.size() > RecordSize)
        return false;
    QByteArray record = ToRecord();
    std::memcpy(record.data(), bytes.data(), bytes.size());

    const char* at = record.constData();
    for (qint32* value : {&lfHeight, &lfWidth, &lfEscapement, &lfOrientation, &lfWeight})
    {
        *value = TakeInt(at);
        at += 4;
    }
    for (quint8* value : {&lfItalic, &lfUnderline, &lfStrikeOut, &lfCharSet, &lfOutPrecision,
                          &lfClipPrecision, &lfQuality, &lfPitchAndFamily})
        *value = static_cast<quint8>(*at++);

    const QByteArrayView faceField(record.constData() + FaceNameOffset, MaxFaceNameLength);
    const qsizetype end = faceField.indexOf('\0');
    lfFaceName = DecodeWindows1252(end < 0 ? faceField : faceField.first(end));
    return true;
}
