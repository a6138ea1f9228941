#include "FakeClock.h"
#include "FindWidget.h"
#include "RecordMessages.h"
#include "TestHome.h"
#include "base/ProgramFolder.h"
#include "base/Settings.h"
#include "model/AccountFakes.h"
#include "model/CommandIds.h"
#include "model/VemoAccount.h"
#include "printing/ItemPrintJob.h"
#include "printing/PrintOptionsDlg.h"
#include "printing/PrintProgressDlg.h"
#include "shell/CommandActions.h"
#include "shell/MainFrame.h"
#include "shell/VemoApp.h"
#include "shell/VemoMessageBox.h"
#include "views/GroupView.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <ctime>
#include <memory>

namespace
{
constexpr qint32 Noon = 1796817600; // 2026-12-09 12:00 UTC
const QString Home = QStringLiteral("Kitchen");
const QString Work = QStringLiteral("Work");

QString RunPoppler(const QString& program, const QString& pdf)
{
    QProcess process;
    process.start(program, {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& pdf)
{
    return RunPoppler(QStringLiteral("pdftotext"), pdf);
}

int PdfPages(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(30000);
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& line : info.split(QLatin1Char('\n')))
    {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// Prints to a PDF file in place of the printer dialog, optionally with a page range, and can
// press the progress window's Cancel once the first page is drawn, as a user would.
class CTestPrintJob : public CItemPrintJob
{
public:
    using CItemPrintJob::CItemPrintJob;

    QString m_strOutput;
    int m_nFrom = 0;
    int m_nTo = 0;
    bool m_bCancelAfterFirstPage = false;
    int m_nPagesDrawn = 0;

protected:
    bool RunPrinterDialog(QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_strOutput);
        printer.setFromTo(m_nFrom, m_nTo);
        return true;
    }

    void PrintPage(QPainter& painter, int page) override
    {
        CItemPrintJob::PrintPage(painter, page);
        ++m_nPagesDrawn;
        if (!m_bCancelAfterFirstPage)
            return;
        CPrintProgressDlg* progress = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
        {
            if (auto* found = qobject_cast<CPrintProgressDlg*>(window); found && found->isVisible())
                progress = found;
        }
        QVERIFY(progress);
        QTest::mouseClick(&Find<QPushButton>(*progress, "cancelButton"), Qt::LeftButton);
    }
};
} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void scopesPrintTheirItems_data();
    void scopesPrintTheirItems();
    void messageLongerThanAPageIsPrintedWhole();
    void everyItemIsPrintedOnTheCountedPages();
    void emptyGroupPrintsHeaderAndTitles();
    void pageRangePrintsThosePages();
    void cancelAfterFirstPageLeavesNoNewFile();
    void unwritableFileSaysTheJobCouldNotStart();
    void optionsDialogOffersTheSelection();
    void timeLeftText_data();
    void timeLeftText();

private:
    quint32 AddItem(const QString& group, const QString& title, const QString& message = {});
    // Runs the job, answering the options dialog with the scope and header given.
    void Print(CTestPrintJob& job, const char* scopeRadio, const QString& header = {});
    std::unique_ptr<CTestPrintJob> MakeJob();
    QString Output() const { return m_home.Path(QStringLiteral("out.pdf")); }

    CTestHome m_home;
    CFakeClock m_clock{Noon};
    CFakePrompts m_prompts;
    std::unique_ptr<CVemoApp> m_app;
};

void TestPrinting::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
}

void TestPrinting::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    QFile::remove(Output());
    GetSettings().SetDefaultAccount(QString());
    m_prompts = CFakePrompts();
    m_app = std::make_unique<CVemoApp>(&m_prompts);
    m_app->Start();
    m_prompts.m_newAccountNames = {QStringLiteral("Home")};
    m_app->GetActions().Execute(ID_FILE_NEW);
    QVERIFY(g_pAccount->RemoveAllItems(g_pAccount->GetGroups().front().GetName()));
    for (const QString& group : {Home, Work})
    {
        m_prompts.m_newGroupNames = {group};
        m_app->GetActions().Execute(ID_GROUP_ADD);
    }
}

void TestPrinting::cleanup()
{
    SetVemoMessageHandler(nullptr);
    m_app.reset();
}

quint32 TestPrinting::AddItem(const QString& group, const QString& title, const QString& message)
{
    CVemoItem item(Noon, Noon, CVemoItem::PriorityNone);
    item.m_strTitle = title;
    item.m_strMessage = message;
    return g_pAccount->AddItemToGroup(group, item);
}

std::unique_ptr<CTestPrintJob> TestPrinting::MakeJob()
{
    CMainFrame& frame = m_app->GetMainFrame();
    auto job = std::make_unique<CTestPrintJob>(*g_pAccount, *frame.GetView(), &frame);
    job->m_strOutput = Output();
    return job;
}

void TestPrinting::Print(CTestPrintJob& job, const char* scopeRadio, const QString& header)
{
    WhenModalShown<CPrintOptionsDlg>(
        [scopeRadio, header](CPrintOptionsDlg& dialog)
        {
            // On the button's circle: a radio button takes clicks on its circle and text only.
            auto& radio = Find<QRadioButton>(dialog, scopeRadio);
            QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(6, radio.height() / 2));
            QTest::keyClicks(&Find<QLineEdit>(dialog, "headerEdit"), header);
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
    job.Print();
}

void TestPrinting::scopesPrintTheirItems_data()
{
    QTest::addColumn<QString>("scope");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("expectedHeader");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("item") << "itemRadio" << QString() << "Vemo List - Milk" << QStringList{"Milk"}
                          << QStringList{"Eggs", "Report"};
    QTest::newRow("group") << "groupRadio" << QString() << "Vemo List - Kitchen"
                           << QStringList{"Eggs", "Milk"} << QStringList{"Report"};
    QTest::newRow("all") << "allRadio" << QString() << "Vemo List - Home"
                         << QStringList{"Eggs", "Milk", "Report"} << QStringList();
    QTest::newRow("own header") << "allRadio"
                                << "Shopping for Sunday"
                                << "Shopping for Sunday" << QStringList{"Eggs", "Milk", "Report"}
                                << QStringList();
}

void TestPrinting::scopesPrintTheirItems()
{
    QFETCH(QString, scope);
    QFETCH(QString, header);
    QFETCH(QString, expectedHeader);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, left);
    AddItem(Home, QStringLiteral("Eggs"), QStringLiteral("A dozen, free range"));
    const quint32 milk = AddItem(Home, QStringLiteral("Milk"));
    AddItem(Work, QStringLiteral("Report"));
    QVERIFY(m_app->GetMainFrame().GetView()->SelectItemNode(Home, milk));

    auto job = MakeJob();
    Print(*job, scope.toLatin1().constData(), header);
    const QString text = PdfText(Output());
    QVERIFY2(text.contains(expectedHeader), qPrintable(text));
    for (const char* fixed : {"1 of 1", "Status", "Title", "Do By", "Priority"})
        QVERIFY2(text.contains(QLatin1String(fixed)), fixed);
    for (const QString& title : printed)
        QVERIFY2(text.contains(title), qPrintable(title));
    for (const QString& title : left)
        QVERIFY2(!text.contains(title), qPrintable(title));
    QCOMPARE(text.contains(QLatin1String("A dozen, free range")), printed.contains("Eggs"));
    QCOMPARE(PdfPages(Output()), 1);
}

void TestPrinting::messageLongerThanAPageIsPrintedWhole()
{
    QStringList lines;
    for (int i = 1; i <= 300; ++i)
        lines.append(QStringLiteral("Step %1 done").arg(i));
    AddItem(Home, QStringLiteral("Long"), lines.join(QStringLiteral("\r\n")));
    AddItem(Home, QStringLiteral("After"));
    auto job = MakeJob();
    Print(*job, "allRadio");

    const QString text = PdfText(Output());
    const int pages = PdfPages(Output());
    QVERIFY(pages > 1);
    QVERIFY(text.contains(QStringLiteral("1 of %1").arg(pages)));
    int from = 0;
    for (const QString& line : lines)
    {
        from = text.indexOf(line + QLatin1Char('\n'), from);
        QVERIFY2(from >= 0, qPrintable(line));
    }
    QVERIFY(text.contains(QLatin1String("After")));
}

void TestPrinting::everyItemIsPrintedOnTheCountedPages()
{
    for (int i = 0; i < 150; ++i)
        AddItem(i % 2 ? Home : Work, QStringLiteral("Task %1 end").arg(i),
                QStringLiteral("Some words to wrap %1").arg(i).repeated(1 + i % 7));
    auto job = MakeJob();
    Print(*job, "allRadio");

    const QString text = PdfText(Output());
    const int pages = PdfPages(Output());
    QCOMPARE(job->m_nPagesDrawn, pages);
    for (int page = 1; page <= pages; ++page)
        QVERIFY(text.contains(QStringLiteral("%1 of %2").arg(page).arg(pages)));
    for (int i = 0; i < 150; ++i)
        QVERIFY2(text.contains(QStringLiteral("Task %1 end").arg(i)),
                 qPrintable(QString::number(i)));
}

void TestPrinting::emptyGroupPrintsHeaderAndTitles()
{
    AddItem(Home, QStringLiteral("Eggs"));
    CGroupView* view = m_app->GetMainFrame().GetView();
    view->setCurrentIndex(view->model()->index(2, 0));
    auto job = MakeJob();
    Print(*job, "groupRadio");
    const QString text = PdfText(Output());
    QVERIFY(text.contains(QLatin1String("Vemo List - Work")));
    QVERIFY(text.contains(QLatin1String("1 of 1")));
    QVERIFY(text.contains(QLatin1String("Priority")));
    QVERIFY(!text.contains(QLatin1String("Eggs")));
}

void TestPrinting::pageRangePrintsThosePages()
{
    for (int i = 0; i < 120; ++i)
        AddItem(Home, QStringLiteral("Task %1").arg(i));
    auto job = MakeJob();
    job->m_nFrom = 2;
    job->m_nTo = 3;
    Print(*job, "allRadio");
    const QString text = PdfText(Output());
    QCOMPARE(PdfPages(Output()), 2);
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("\\b1 of \\d"))));
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\b2 of [3-9]"))));
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\b3 of [3-9]"))));
}

void TestPrinting::cancelAfterFirstPageLeavesNoNewFile()
{
    for (int i = 0; i < 120; ++i)
        AddItem(Home, QStringLiteral("Task %1").arg(i));
    {
        QFile old(Output());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the earlier file");
    }
    auto job = MakeJob();
    job->m_bCancelAfterFirstPage = true;
    Print(*job, "allRadio");
    QCOMPARE(job->m_nPagesDrawn, 1);
    QFile old(Output());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the earlier file"));
    QCOMPARE(QDir(m_home.Path(QString())).entryList({QStringLiteral("out.pdf*")}, QDir::Files),
             QStringList{QStringLiteral("out.pdf")});
    QVERIFY(m_app->GetMainFrame().isEnabled());
}

void TestPrinting::unwritableFileSaysTheJobCouldNotStart()
{
    const auto messages = RecordMessages();
    auto job = MakeJob();
    job->m_strOutput = m_home.Path(QStringLiteral("no such folder/out.pdf"));
    Print(*job, "allRadio");
    QCOMPARE(*messages, QStringList{QStringLiteral("Could not start print job.")});
    QVERIFY(m_app->GetMainFrame().isEnabled());
}

void TestPrinting::optionsDialogOffersTheSelection()
{
    const quint32 eggs = AddItem(Home, QStringLiteral("Eggs"));
    CPrintOptionsDlg none(QString(), false, QString());
    QVERIFY(!Find<QRadioButton>(none, "itemRadio").isEnabled());
    QVERIFY(Find<QRadioButton>(none, "allRadio").isChecked());
    QCOMPARE(Find<QRadioButton>(none, "groupRadio").text(),
             QStringLiteral("Print current group ()"));

    QVERIFY(m_app->GetMainFrame().GetView()->SelectItemNode(Home, eggs));
    CPrintOptionsDlg selected(QStringLiteral("Eggs"), true, Home);
    QVERIFY(Find<QRadioButton>(selected, "itemRadio").isEnabled());
    QCOMPARE(Find<QRadioButton>(selected, "itemRadio").text(),
             QStringLiteral("Print current item (Eggs)"));
    QCOMPARE(Find<QRadioButton>(selected, "groupRadio").text(),
             QStringLiteral("Print current group (Kitchen)"));
}

void TestPrinting::timeLeftText_data()
{
    QTest::addColumn<qint64>("averageMs");
    QTest::addColumn<int>("pagesLeft");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QString>("expected");

    QTest::newRow("minutes") << qint64(30000) << 5 << 9 << "\"2 minutes, 30 seconds\"";
    QTest::newRow("seconds") << qint64(10000) << 3 << 5 << "30 seconds";
    QTest::newRow("first page") << qint64(0) << 5 << 5 << "";
    QTest::newRow("single page keeps") << qint64(20000) << 1 << 1 << "before";
}

void TestPrinting::timeLeftText()
{
    QFETCH(qint64, averageMs);
    QFETCH(int, pagesLeft);
    QFETCH(int, pageCount);
    QFETCH(QString, expected);
    QCOMPARE(
        CPrintProgressDlg::TimeLeftText(averageMs, pagesLeft, pageCount, QStringLiteral("before")),
        expected);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
