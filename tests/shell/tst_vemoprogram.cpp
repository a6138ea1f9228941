#include <QProcess>
#include <QTest>

namespace
{
struct CRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The command line is answered before any window opens, so no display is needed.
CRun RunVemo(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(VEMO_PATH), args);
    process.waitForFinished();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray Usage()
{
    return RunVemo({QStringLiteral("--help")}).out;
}
} // namespace

class TestVemoProgram : public QObject
{
    Q_OBJECT

private slots:
    void wrongUsageSaysWhatWasWrong_data();
    void wrongUsageSaysWhatWasWrong();
};

void TestVemoProgram::wrongUsageSaysWhatWasWrong_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("complaint");
    QTest::newRow("long option") << QStringList{QStringLiteral("--bogus")}
                                 << QByteArray("vemo: unknown option '--bogus'\n");
    QTest::newRow("short option") << QStringList{QStringLiteral("-x")}
                                  << QByteArray("vemo: unknown option '-x'\n");
    QTest::newRow("option after the account")
        << QStringList{QStringLiteral("Home"), QStringLiteral("--bogus")}
        << QByteArray("vemo: unknown option '--bogus'\n");
    QTest::newRow("two accounts")
        << QStringList{QStringLiteral("My"), QStringLiteral("Account")}
        << QByteArray("vemo: unexpected argument 'Account': only one account can be named\n");
}

void TestVemoProgram::wrongUsageSaysWhatWasWrong()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, complaint);
    const QByteArray usage = Usage();
    QVERIFY(usage.startsWith("Usage: vemo"));
    const CRun run = RunVemo(args);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.err, complaint + usage);
}

QTEST_GUILESS_MAIN(TestVemoProgram)
#include "tst_vemoprogram.moc"
