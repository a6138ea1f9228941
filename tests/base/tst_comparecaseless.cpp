#include "base/CompareCaseless.h"

#include <QRandomGenerator>
#include <QTest>

namespace
{
int QtSign(const QString& left, const QString& right)
{
    const int result = QString::compare(left, right, Qt::CaseInsensitive);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}
} // namespace

class TestCompareCaseless : public QObject
{
    Q_OBJECT

private slots:
    void ordersAsTheToolkit_data();
    void ordersAsTheToolkit();
    void ordersRandomTextsAsTheToolkit();
};

void TestCompareCaseless::ordersAsTheToolkit_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");

    QTest::newRow("equal but for case") << "Buy Milk"
                                        << "buy milk";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("empty first") << ""
                                 << "a";
    QTest::newRow("prefix") << "Item"
                            << "item 2";
    QTest::newRow("digits") << "Item 10"
                            << "Item 2";
    // '_' lies between the upper and the lower letters, so folding decides the order.
    QTest::newRow("underscore and letter") << "_x"
                                           << "Ax";
    QTest::newRow("bracket and letter") << "["
                                        << "z";
    QTest::newRow("accented letters") << u"\u00C4pfel"_qs << u"\u00E4pfel"_qs;
    QTest::newRow("accent after ASCII") << u"caf\u00E9"_qs << "cafe";
    QTest::newRow("Kelvin sign folds to k") << u"\u212A"_qs << "k";
    QTest::newRow("long s folds to s") << u"Ba\u017F"_qs << "bas";
    QTest::newRow("surrogate pair") << u"a\U0001F600"_qs << u"A\U0001F601"_qs;
    // Deseret letters differ in case only in the second half of their pairs.
    QTest::newRow("cased pair") << u"x\U00010400"_qs << u"x\U00010428"_qs;
    QTest::newRow("ASCII against beyond") << "a" << u"\u00E0"_qs;
}

void TestCompareCaseless::ordersAsTheToolkit()
{
    QFETCH(QString, left);
    QFETCH(QString, right);

    QCOMPARE(CompareCaseless(left, right), QtSign(left, right));
    QCOMPARE(CompareCaseless(right, left), QtSign(right, left));
}

// Short texts from a small pool of tricky characters, so equal prefixes and every kind of
// difference come up often.
void TestCompareCaseless::ordersRandomTextsAsTheToolkit()
{
    const QStringList pool = {"a",
                              "A",
                              "b",
                              "B",
                              "z",
                              "Z",
                              "_",
                              "[",
                              "@",
                              "`",
                              "{",
                              "0",
                              "9",
                              " ",
                              u"\u00C4"_qs,
                              u"\u00E4"_qs,
                              u"\u00DF"_qs,
                              u"\u212A"_qs,
                              "k",
                              u"\u017F"_qs,
                              "s",
                              u"\u0130"_qs,
                              "i",
                              u"\U00010400"_qs,
                              u"\U00010428"_qs,
                              u"\U0001F600"_qs};
    QRandomGenerator random(1234);
    const auto makeText = [&]
    {
        QString text;
        for (int n = random.bounded(5); n > 0; --n)
            text += pool.at(random.bounded(int(pool.size())));
        return text;
    };
    for (int i = 0; i < 20000; ++i)
    {
        const QString left = makeText();
        const QString right = makeText();
        QCOMPARE(CompareCaseless(left, right), QtSign(left, right));
    }
}

QTEST_APPLESS_MAIN(TestCompareCaseless)
#include "tst_comparecaseless.moc"
