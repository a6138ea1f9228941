#include "FakeClock.h"
#include "FindWidget.h"
#include "TestFiles.h"
#include "TestHome.h"
#include "base/LocalTime.h"
#include "base/ProgramFolder.h"
#include "base/Settings.h"
#include "model/AccountFakes.h"
#include "reminders/DesktopAnnouncer.h"
#include "reminders/LabelStatic.h"
#include "reminders/ReminderAlertDlg.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <ctime>

namespace
{
// Monday, March 1, 1999, 09:05 UTC.
constexpr qint32 DueAt = 920279100;
const QString Todo = QStringLiteral("Things To Do");

// What the user saw in an alert, read while it was up.
struct CShownAlert
{
    QString m_strTitle;
    QString m_strHeading;
    QString m_strMessage;
    QString m_strReminderTime;
    QString m_strCurrentTime;
    int m_nHeadingPointSize = 0;
    bool m_bOnTop = false;
};

QString LabelText(QWidget& alert, const char* name)
{
    auto* label = alert.findChild<CLabelStatic*>(QString::fromLatin1(name));
    return label ? label->GetText() : QStringLiteral("<missing>");
}

// Reads the alert once it is up and closes it with OK, as the user would.
void CloseAlertWhenShown(QList<CShownAlert>& shown)
{
    WhenModalShown<CReminderAlertDlg>(
        [&shown](CReminderAlertDlg& alert)
        {
            auto* heading = alert.findChild<CLabelStatic*>(QStringLiteral("headingLabel"));
            shown.append({alert.windowTitle(), LabelText(alert, "headingLabel"),
                          alert.findChild<QPlainTextEdit*>()->toPlainText(),
                          LabelText(alert, "reminderTimeLabel"),
                          LabelText(alert, "currentTimeLabel"),
                          heading ? heading->GetFont().pointSize() : 0,
                          alert.windowFlags().testFlag(Qt::WindowStaysOnTopHint)});
            QTest::mouseClick(alert.findChild<QPushButton*>(QStringLiteral("okButton")),
                              Qt::LeftButton);
        });
}
} // namespace

class TestReminderAlert : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void alertShowsTheOccurrenceThatFired();
    void alertForAMissingItemShowsEmptyTexts();
    void reminderMailGoesOnlyToARecipient_data();
    void reminderMailGoesOnlyToARecipient();
    void soundBeepsWithoutAPlayableFile_data();
    void soundBeepsWithoutAPlayableFile();

private:
    quint32 AddDueItem(const CReminderSpec& reminder);

    CTestHome m_home;
    CFakeClock m_clock{DueAt + 60};
    std::unique_ptr<CFakeGroupTree> m_pTree;
    std::unique_ptr<CFakeStickyHost> m_pStickies;
    std::unique_ptr<CFakePrompts> m_pPrompts;
    std::unique_ptr<CFakeMail> m_pMail;
    std::unique_ptr<CFakeMainWindow> m_pMainWindow;
    std::unique_ptr<CDesktopAnnouncer> m_pAnnouncer;
    std::unique_ptr<CVemoAccount> m_pAccount;
    QList<CShownAlert> m_shown;
};

void TestReminderAlert::initTestCase()
{
    qputenv("TZ", "UTC0");
    tzset();
}

void TestReminderAlert::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    GetSettings().SetMailTo(QString());
    GetSettings().SetReminderSound(QString());
    m_clock.Set(DueAt + 60);
    m_shown.clear();
    m_pTree = std::make_unique<CFakeGroupTree>();
    m_pStickies = std::make_unique<CFakeStickyHost>();
    m_pPrompts = std::make_unique<CFakePrompts>();
    m_pMail = std::make_unique<CFakeMail>();
    m_pMainWindow = std::make_unique<CFakeMainWindow>();
    m_pAnnouncer = std::make_unique<CDesktopAnnouncer>();
    m_pAccount = std::make_unique<CVemoAccount>(
        CVemoAccount::CPorts{m_pTree.get(), m_pStickies.get(), m_pPrompts.get(), m_pMail.get(),
                             m_pAnnouncer.get(), m_pMainWindow.get()});
    m_pAnnouncer->SetAccount(m_pAccount.get());
    m_pPrompts->m_newAccountNames = {QStringLiteral("Home")};
    QVERIFY(m_pAccount->NewAccount());
}

void TestReminderAlert::cleanup()
{
    m_pAccount.reset();
    m_pAnnouncer.reset();
    // The sound's loader lets go of the file through the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

quint32 TestReminderAlert::AddDueItem(const CReminderSpec& reminder)
{
    CVemoItem item(DueAt - 3600, DueAt, CVemoItem::PriorityNormal);
    item.m_strTitle = QStringLiteral("Pay rent");
    item.m_strMessage = QStringLiteral("Before noon\r\nat the bank");
    item.m_reminder = reminder;
    item.m_reminder.m_timeDoBy = DueAt;
    item.m_reminder.m_bEnabled = 1;
    return m_pAccount->AddItemToGroup(Todo, item);
}

// A daily reminder moves to tomorrow before it is announced; the alert still tells of today's.
void TestReminderAlert::alertShowsTheOccurrenceThatFired()
{
    CReminderSpec daily;
    daily.m_bMessageBox = 1;
    daily.m_nRepeat = CReminderSpec::RepeatDay;
    CloseAlertWhenShown(m_shown);
    const quint32 key = AddDueItem(daily);

    QCOMPARE(m_shown.size(), 1);
    const CShownAlert& alert = m_shown[0];
    QCOMPARE(alert.m_strTitle, QStringLiteral("Vemo - Pay rent"));
    QCOMPARE(alert.m_strHeading, QStringLiteral("You asked me to remind you about this."));
    QCOMPARE(alert.m_nHeadingPointSize, 12);
    QCOMPARE(alert.m_strMessage, QStringLiteral("Before noon\nat the bank"));
    QCOMPARE(alert.m_strReminderTime, QStringLiteral("09:05 AM, Monday, March 01, 1999"));
    QCOMPARE(alert.m_strCurrentTime, QStringLiteral("09:06 AM, Monday, March 01, 1999"));
    QVERIFY(alert.m_bOnTop);
    CVemoItem item(Qt::Uninitialized);
    QVERIFY(m_pAccount->GetItemCopy(Todo, key, item));
    QCOMPARE(item.m_reminder.m_timeDoBy, DueAt + 86400);
}

void TestReminderAlert::alertForAMissingItemShowsEmptyTexts()
{
    CloseAlertWhenShown(m_shown);
    CReminderSpec fired;
    fired.m_timeDoBy = DueAt;
    m_pAnnouncer->ShowReminderAlert(QStringLiteral("Renamed meanwhile"), 7, fired);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].m_strTitle, QStringLiteral("Vemo - "));
    QVERIFY(m_shown[0].m_strMessage.isEmpty());
    QCOMPARE(m_shown[0].m_strReminderTime, QStringLiteral("09:05 AM, Monday, March 01, 1999"));
}

void TestReminderAlert::reminderMailGoesOnlyToARecipient_data()
{
    QTest::addColumn<QString>("mailTo");
    QTest::addColumn<int>("sent");
    QTest::newRow("recipient") << "me@example.org" << 1;
    QTest::newRow("no recipient") << "" << 0;
}

void TestReminderAlert::reminderMailGoesOnlyToARecipient()
{
    QFETCH(QString, mailTo);
    QFETCH(int, sent);
    GetSettings().SetMailTo(mailTo);
    CReminderSpec mailOnly;
    mailOnly.m_bMessageBox = 0;
    mailOnly.m_bMail = 1;
    AddDueItem(mailOnly);
    QCOMPARE(m_pMail->m_sent.size(), sent);
    if (sent)
    {
        QCOMPARE(m_pMail->m_modes[0], IMailTransport::SendSilently);
        QCOMPARE(m_pMail->m_sent[0].m_strSubject, QStringLiteral("Pay rent"));
        QCOMPARE(m_pMail->m_sent[0].m_strTo, mailTo);
    }
    QVERIFY(m_shown.isEmpty());
}

void TestReminderAlert::soundBeepsWithoutAPlayableFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no sound chosen") << "" << QByteArray();
    QTest::newRow("missing file") << "gone.wav" << QByteArray();
    QTest::newRow("not a sound") << "broken.wav" << QByteArray("this is no sound at all");
}

// The beep stands in for a sound that cannot play, and nothing waits for the sound device.
void TestReminderAlert::soundBeepsWithoutAPlayableFile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    const QString path = file.isEmpty() ? QString() : m_home.Path(file);
    if (!bytes.isEmpty())
        QVERIFY(WriteFile(path, bytes));
    GetSettings().SetReminderSound(path);
    QSignalSpy beeped(&m_pAnnouncer->GetSound(), &CReminderSound::Beeped);
    CReminderSpec soundOnly;
    soundOnly.m_bMessageBox = 0;
    soundOnly.m_bSound = 1;
    AddDueItem(soundOnly);
    QTRY_COMPARE(beeped.count(), 1);
}

QTEST_MAIN(TestReminderAlert)
#include "tst_reminderalert.moc"
