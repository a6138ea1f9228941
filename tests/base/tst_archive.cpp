#include "base/Archive.h"
#include "base/Windows1252.h"

#include <QTest>

class TestArchive : public QObject
{
    Q_OBJECT

private slots:
    void stringPrefix_data();
    void stringPrefix();
    void everyByteValueRoundTrips();
    void textOutsideCodePageUsesWideForm();
    void readsWideForm_data();
    void readsWideForm();
    void integersAreLittleEndian();
    void badStreamsFail_data();
    void badStreamsFail();
    void countBeyondRemainingBytesFails();
};

static QByteArray Store(QString text)
{
    CArchive ar;
    ar.Exchange(text);
    return ar.Bytes();
}

static bool Load(const QByteArray& bytes, QString& text)
{
    CArchive ar(bytes);
    ar.Exchange(text);
    return ar.IsOk();
}

void TestArchive::stringPrefix_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("empty") << 0 << QByteArray::fromHex("00");
    QTest::newRow("254") << 254 << QByteArray::fromHex("fe");
    QTest::newRow("255") << 255 << QByteArray::fromHex("ffff00");
    QTest::newRow("65533") << 65533 << QByteArray::fromHex("fffdff");
    QTest::newRow("65534") << 65534 << QByteArray::fromHex("fffffffeff0000");
    QTest::newRow("70000") << 70000 << QByteArray::fromHex("ffffff70110100");
}

void TestArchive::stringPrefix()
{
    QFETCH(int, length);
    QFETCH(QByteArray, prefix);

    const QString text(length, QLatin1Char('x'));
    const QByteArray bytes = Store(text);
    QCOMPARE(bytes.left(prefix.size()), prefix);
    QCOMPARE(bytes.size(), prefix.size() + length);

    QString loaded;
    QVERIFY(Load(bytes, loaded));
    QCOMPARE(loaded, text);
}

void TestArchive::everyByteValueRoundTrips()
{
    QByteArray raw;
    for (int byte = 0; byte < 256; ++byte)
        raw.append(static_cast<char>(byte));
    const QByteArray file = QByteArray::fromHex("ff0001") + raw;

    QString text;
    QVERIFY(Load(file, text));
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0x81), QChar(0x0081));
    QCOMPARE(text.at(0x9F), QChar(0x0178));
    QCOMPARE(Store(text), file);
}

void TestArchive::textOutsideCodePageUsesWideForm()
{
    const QString text = QStringLiteral("a\u4E2Db\u0080");
    const QByteArray bytes = Store(text);
    QCOMPARE(bytes, QByteArray::fromHex("fffeff04"
                                        "6100"
                                        "2d4e"
                                        "6200"
                                        "8000"));

    QString loaded;
    QVERIFY(Load(bytes, loaded));
    QCOMPARE(loaded, text);
}

void TestArchive::readsWideForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("short") << QByteArray::fromHex("fffeff024100e900") << QStringLiteral("A\u00E9");
    QTest::newRow("16-bit length")
        << QByteArray::fromHex("fffeffff0100") + QByteArray(2, 'x') << QString(QChar(0x7878));
    QTest::newRow("empty") << QByteArray::fromHex("fffeff00") << QString();
}

void TestArchive::readsWideForm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QString loaded;
    QVERIFY(Load(bytes, loaded));
    QCOMPARE(loaded, text);
}

void TestArchive::integersAreLittleEndian()
{
    CArchive ar;
    quint8 byte = 0xAB;
    qint32 negative = -2;
    quint32 colour = 0x0080FFFF;
    ar.Exchange(byte);
    ar.Exchange(negative);
    ar.Exchange(colour);
    QCOMPARE(ar.Bytes(), QByteArray::fromHex("ab"
                                             "feffffff"
                                             "ffff8000"));

    CArchive in(ar.Bytes());
    quint8 byteIn = 0;
    qint32 negativeIn = 0;
    quint32 colourIn = 0;
    in.Exchange(byteIn);
    in.Exchange(negativeIn);
    in.Exchange(colourIn);
    QVERIFY(in.IsOk());
    QCOMPARE(byteIn, byte);
    QCOMPARE(negativeIn, negative);
    QCOMPARE(colourIn, colour);
}

void TestArchive::badStreamsFail_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("cut in 16-bit prefix") << QByteArray::fromHex("ff01");
    QTest::newRow("cut in 32-bit prefix") << QByteArray::fromHex("ffffff0000");
    QTest::newRow("short length beyond end") << QByteArray::fromHex("05414243");
    QTest::newRow("32-bit length beyond end") << QByteArray::fromHex("ffffffffffffff41");
    QTest::newRow("wide with odd byte count") << QByteArray::fromHex("fffeff02410042");
    QTest::newRow("wide cut to one byte") << QByteArray::fromHex("fffeff0141");
    QTest::newRow("wide mark twice") << QByteArray::fromHex("fffeff"
                                                            "fffeff"
                                                            "00");
}

void TestArchive::badStreamsFail()
{
    QFETCH(QByteArray, bytes);
    QString text = QStringLiteral("before");
    QVERIFY(!Load(bytes, text));

    CArchive ar(bytes);
    ar.Exchange(text);
    qint32 after = 7;
    ar.Exchange(after);
    QVERIFY(!ar.IsOk());
    QCOMPARE(after, 0);
}

void TestArchive::countBeyondRemainingBytesFails()
{
    CArchive ar(QByteArray(20, '\0'));
    QVERIFY(ar.CanHold(2, 10));
    QVERIFY(!ar.CanHold(3, 10));
    QVERIFY(!ar.IsOk());

    CArchive huge(QByteArray(8, '\0'));
    QVERIFY(!huge.CanHold(0xFFFFFFFFu, 107));
}

QTEST_APPLESS_MAIN(TestArchive)
#include "tst_archive.moc"
