#include "base/TextFit.h"

#include <QTest>

#include <tuple>

namespace
{
// Proportional, as fonts are: a dot is narrow and 'W' is wide, so counts and widths differ.
int MeasureText(const QString& text)
{
    int width = 0;
    for (const QChar ch : text)
        width += ch == u'.' ? 1 : ch == u'W' ? 6 : 2;
    return width;
}
} // namespace

class TestTextFit : public QObject
{
    Q_OBJECT

private slots:
    void fitsWidth_data();
    void fitsWidth();
    void neverSplitsSurrogatePair_data();
    void neverSplitsSurrogatePair();
};

void TestTextFit::fitsWidth_data()
{
    QTest::addColumn<bool>("endEllipsis");
    QTest::addColumn<bool>("pathEllipsis");
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("shortened");

    for (const auto& [mode, end, path] :
         {std::tuple("end", true, false), std::tuple("path", false, true),
          std::tuple("middle", false, false)})
    {
        QTest::addRow("%s, fits", mode) << end << path << 20 << "abc/efghij"
                                        << "abc/efghij" << false;
        QTest::addRow("%s, narrower than ellipsis", mode) << end << path << 2 << "ab/def"
                                                          << "..." << true;
    }

    QTest::newRow("end, ten fit") << true << false << 17 << "abcdefghijklmnop"
                                  << "abcdefg..." << true;
    QTest::newRow("end, wide letters") << true << false << 16 << "WWWWWW"
                                       << "WW..." << true;

    QTest::newRow("middle, a to h") << false << false << 15 << "abcdefgh"
                                    << "abc...fgh" << true;
    QTest::newRow("middle, odd count left") << false << false << 13 << "abcdefgh"
                                            << "abc...gh" << true;
    QTest::newRow("middle, wide letters") << false << false << 16 << "abWWcd"
                                          << "ab...cd" << true;

    QTest::newRow("path, long name") << false << true << 17 << "folder\\averylongfilename.txt"
                                     << "\\averyl..." << true;
    QTest::newRow("path, name alone fills width") << false << true << 17 << "folder/name.txt"
                                                  << "/name.txt" << false;
    QTest::newRow("path, long folder") << false << true << 28 << "abcdefghij/name.txt"
                                       << "ab...ij/name.txt" << true;
    QTest::newRow("path, folder narrower than ellipsis") << false << true << 19 << "abcdef/name.txt"
                                                         << ".../name.txt" << true;
    QTest::newRow("path, last separator") << false << true << 18 << "a/bcdefgh\\x.t"
                                          << "a/...gh\\x.t" << true;
    QTest::newRow("path, no separator") << false << true << 15 << "abcdefgh"
                                        << "abc...fgh" << true;
}

void TestTextFit::fitsWidth()
{
    QFETCH(bool, endEllipsis);
    QFETCH(bool, pathEllipsis);
    QFETCH(int, maxWidth);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, shortened);

    QString result;
    QCOMPARE(FitTextToWidth(endEllipsis, pathEllipsis, MeasureText, maxWidth, text, result),
             shortened);
    QCOMPARE(result, expected);
}

void TestTextFit::neverSplitsSurrogatePair_data()
{
    QTest::addColumn<bool>("endEllipsis");
    QTest::addColumn<bool>("pathEllipsis");
    QTest::newRow("end") << true << false;
    QTest::newRow("path") << false << true;
    QTest::newRow("middle") << false << false;
}

void TestTextFit::neverSplitsSurrogatePair()
{
    QFETCH(bool, endEllipsis);
    QFETCH(bool, pathEllipsis);

    const QString text = QStringLiteral("a\U0001F600b\U0001F600c/\U0001F600d\U0001F600e");
    for (int maxWidth = 0; maxWidth <= MeasureText(text); ++maxWidth)
    {
        QString result;
        FitTextToWidth(endEllipsis, pathEllipsis, MeasureText, maxWidth, text, result);
        QVERIFY2(QStringView(result).isValidUtf16(), qPrintable(QString::number(maxWidth)));
    }
}

QTEST_GUILESS_MAIN(TestTextFit)
#include "tst_textfit.moc"
