#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A font description laid out as the 60-byte single-byte LOGFONT record that the settings
// store and the sticky notes exchange; the face name holds at most 31 characters.
struct CLogFont
{
    static constexpr int RecordSize = 60;
    static constexpr int FaceNameSize = 32;
    static constexpr int MaxFaceNameLength = FaceNameSize - 1;

    qint32 lfHeight = 0;
    qint32 lfWidth = 0;
    qint32 lfEscapement = 0;
    qint32 lfOrientation = 0;
    qint32 lfWeight = 0;
    quint8 lfItalic = 0;
    quint8 lfUnderline = 0;
    quint8 lfStrikeOut = 0;
    quint8 lfCharSet = 0;
    quint8 lfOutPrecision = 0;
    quint8 lfClipPrecision = 0;
    quint8 lfQuality = 0;
    quint8 lfPitchAndFamily = 0;
    QString lfFaceName;

    // Longer names are cut so the record's 32-byte field always keeps its terminating zero.
    void SetFaceName(const QString& faceName);

    QByteArray ToRecord() const;
    // Overlays up to RecordSize bytes onto this description, as a registry read of a shorter
    // value would; false (and nothing changed) when the bytes are longer than a record.
    bool ReadRecord(QByteArrayView bytes);

    friend bool operator==(const CLogFont&, const CLogFont&) = default;
};
