#include "FindWidget.h"
#include "RecordMessages.h"
#include "TestHome.h"
#include "VemoVersion.h"
#include "shell/AboutDlg.h"
#include "shell/HelpPages.h"
#include "shell/VemoMessageBox.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void versionText_data();
    void versionText();
    void aboutShowsTheBuildsVersion();
    void missingHelpSaysSo();
    void helpIsFoundBesideTheProgram();
    void everyHelpLinkResolves();
};

void TestHelp::versionText_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("text");

    QTest::newRow("four parts") << "1.5.0.2"
                                << "Version 1.5.0.2";
    QTest::newRow("three parts") << "1.2.3"
                                 << "Version 1.2.3.0";
    QTest::newRow("missing") << ""
                             << "Undetermined";
    QTest::newRow("not a number") << "1.x"
                                  << "Undetermined";
    QTest::newRow("too many parts") << "1.2.3.4.5"
                                    << "Undetermined";
    QTest::newRow("part too large") << "1.70000"
                                    << "Undetermined";
}

void TestHelp::versionText()
{
    QFETCH(QString, version);
    QFETCH(QString, text);
    QCOMPARE(CAboutDlg::VersionText(version), text);
}

void TestHelp::aboutShowsTheBuildsVersion()
{
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Vemo"));
    QCOMPARE(Find<QLabel>(about, "versionLabel").text(),
             CAboutDlg::VersionText(QStringLiteral(VEMO_VERSION_STRING)));
    QVERIFY(Find<QLabel>(about, "versionLabel").text().startsWith(QLatin1String("Version ")));
}

void TestHelp::missingHelpSaysSo()
{
    const auto messages = RecordMessages();
    CTestHome home;
    OpenHelp(nullptr, home.Path(QStringLiteral("help/contents.html")));
    OpenHelp(nullptr, QString());
    SetVemoMessageHandler(nullptr);
    QCOMPARE(messages->size(), 2);
    QVERIFY(messages->at(0).startsWith(QLatin1String("Vemo was not able to open the help file.")));
    QCOMPARE(messages->at(1), messages->at(0));
}

// The build puts the pages beside the program, where it looks first.
void TestHelp::helpIsFoundBesideTheProgram()
{
    const QString contents = FindHelpContents();
    QCOMPARE(QFileInfo(contents).fileName(), QStringLiteral("contents.html"));
    QCOMPARE(QFileInfo(contents).dir().dirName(), QStringLiteral("help"));
}

void TestHelp::everyHelpLinkResolves()
{
    const QDir help(QStringLiteral(VEMO_HELP_DIR));
    QVERIFY(help.exists(QStringLiteral("contents.html")));
    const QRegularExpression reference(QStringLiteral(R"((?:href|src)\s*=\s*"([^"#]*)(#[^"]*)?")"));
    QDirIterator pages(help.path(), {QStringLiteral("*.html"), QStringLiteral("*.css")},
                       QDir::Files, QDirIterator::Subdirectories);
    int checked = 0;
    while (pages.hasNext())
    {
        QFile page(pages.next());
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        for (const QRegularExpressionMatch& match : reference.globalMatch(text))
        {
            const QString target = match.captured(1);
            if (target.isEmpty() || target.contains(QLatin1Char(':')))
                continue;
            const QString resolved = QFileInfo(page).dir().filePath(target);
            QVERIFY2(QFileInfo::exists(resolved), qPrintable(page.fileName() + " -> " + target));
            ++checked;
        }
    }
    QVERIFY(checked > 0);
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
