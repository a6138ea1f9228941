#include "FindWidget.h"
#include "TestHome.h"
#include "base/Settings.h"
#include "reminders/ReminderOptionsDlg.h"
#include "shell/VemoMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace
{
void Click(QAbstractButton& button)
{
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(4, 4));
}

CReminderSpec Spec(qint32 leadSeconds, qint32 repeat)
{
    CReminderSpec spec;
    spec.m_nLeadSeconds = leadSeconds;
    spec.m_nRepeat = repeat;
    return spec;
}

const char* const PeriodNames[] = {"dayRadio", "weekRadio", "monthRadio", "yearRadio"};
} // namespace

class TestReminderOptions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheReminder_data();
    void showsTheReminder();
    void minutesAreReadAsTyped_data();
    void minutesAreReadAsTyped();
    void letterAtTheEndTurnsMinutesToZero();
    void repeatWithoutPeriodStoresDay();
    void uncheckedRepeatStoresNone();
    void mailWithoutRecipientWarnsAndKeepsIt_data();
    void mailWithoutRecipientWarnsAndKeepsIt();

private:
    CTestHome m_home;
    QStringList m_messages;
};

void TestReminderOptions::init()
{
    m_messages.clear();
    GetSettings().SetMailTo(QString());
    SetVemoMessageHandler(
        [this](const QString& text, IUserPrompts::Icon)
        {
            m_messages.append(text);
            return IUserPrompts::Ok;
        });
}

void TestReminderOptions::cleanup()
{
    SetVemoMessageHandler(nullptr);
}

void TestReminderOptions::showsTheReminder_data()
{
    QTest::addColumn<qint32>("leadSeconds");
    QTest::addColumn<qint32>("repeat");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<int>("period");
    QTest::newRow("90 minutes, no repeat") << 5400 << 0 << "90" << -1;
    QTest::newRow("under a minute") << 59 << 1 << "0" << 0;
    QTest::newRow("after the Do By time") << -600 << 2 << "-10" << 1;
    QTest::newRow("monthly") << 0 << 3 << "0" << 2;
    QTest::newRow("yearly") << 60 << 4 << "1" << 3;
    QTest::newRow("unknown repeat kind shows day") << 60 << 9 << "1" << 0;
}

void TestReminderOptions::showsTheReminder()
{
    QFETCH(qint32, leadSeconds);
    QFETCH(qint32, repeat);
    QFETCH(QString, minutes);
    QFETCH(int, period);
    CReminderSpec spec = Spec(leadSeconds, repeat);
    spec.m_bSound = 1;
    spec.m_bMessageBox = 0;
    spec.m_bMail = 1;
    CReminderOptionsDlg dialog(spec);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Reminder Options"));
    QCOMPARE(Find<QLineEdit>(dialog, "minutesEdit").text(), minutes);
    QVERIFY(Find<QCheckBox>(dialog, "soundCheck").isChecked());
    QVERIFY(!Find<QCheckBox>(dialog, "messageBoxCheck").isChecked());
    QVERIFY(Find<QCheckBox>(dialog, "mailCheck").isChecked());
    QCOMPARE(Find<QCheckBox>(dialog, "repeatCheck").isChecked(), repeat != 0);
    for (int i = 0; i < 4; ++i)
    {
        auto& button = Find<QRadioButton>(dialog, PeriodNames[i]);
        QCOMPARE(button.isChecked(), i == period);
        QCOMPARE(button.isEnabled(), repeat != 0);
    }
}

void TestReminderOptions::minutesAreReadAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint32>("leadSeconds");
    QTest::newRow("minutes") << "90" << 5400;
    QTest::newRow("negative starts after the Do By time") << "-10" << -600;
    QTest::newRow("blanks and a sign") << "  +7" << 420;
    QTest::newRow("number then a word") << "12 or so." << 720;
    QTest::newRow("letter first, digit last") << "x5" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("too many to fit") << "99999999999999" << 2147483640;
}

void TestReminderOptions::minutesAreReadAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(qint32, leadSeconds);
    CReminderOptionsDlg dialog(Spec(300, 0));
    dialog.show();
    // Pasted over the old text: one edit, judged by its last character alone.
    auto& edit = Find<QLineEdit>(dialog, "minutesEdit");
    QApplication::clipboard()->setText(typed);
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, typed.isEmpty() ? Qt::Key_Delete : Qt::Key_V,
                    typed.isEmpty() ? Qt::NoModifier : Qt::ControlModifier);
    QCOMPARE(edit.text(), typed);
    Click(Find<QPushButton>(dialog, "okButton"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    CReminderSpec result = Spec(1, 1);
    dialog.CopyTo(result);
    QCOMPARE(result.m_nLeadSeconds, leadSeconds);
    QCOMPARE(result.m_nRepeat, 0);
}

void TestReminderOptions::letterAtTheEndTurnsMinutesToZero()
{
    CReminderOptionsDlg dialog(Spec(600, 0));
    dialog.show();
    auto& edit = Find<QLineEdit>(dialog, "minutesEdit");
    QTest::keyClicks(&edit, QStringLiteral("m"));
    QCOMPARE(edit.text(), QStringLiteral("0"));
    QTest::keyClicks(&edit, QStringLiteral("5"));
    QCOMPARE(edit.text(), QStringLiteral("05"));
}

// Reopened, the stored day shows as the Day button.
void TestReminderOptions::repeatWithoutPeriodStoresDay()
{
    CReminderOptionsDlg dialog(Spec(0, 0));
    dialog.show();
    Click(Find<QCheckBox>(dialog, "repeatCheck"));
    QVERIFY(Find<QRadioButton>(dialog, "weekRadio").isEnabled());
    Click(Find<QPushButton>(dialog, "okButton"));
    CReminderSpec result;
    dialog.CopyTo(result);
    QCOMPARE(result.m_nRepeat, qint32(CReminderSpec::RepeatDay));

    CReminderOptionsDlg reopened(result);
    QVERIFY(Find<QRadioButton>(reopened, "dayRadio").isChecked());
}

void TestReminderOptions::uncheckedRepeatStoresNone()
{
    CReminderOptionsDlg dialog(Spec(0, CReminderSpec::RepeatMonth));
    dialog.show();
    Click(Find<QCheckBox>(dialog, "repeatCheck"));
    QVERIFY(!Find<QRadioButton>(dialog, "monthRadio").isEnabled());
    Click(Find<QPushButton>(dialog, "okButton"));
    CReminderSpec result = Spec(0, CReminderSpec::RepeatMonth);
    dialog.CopyTo(result);
    QCOMPARE(result.m_nRepeat, qint32(CReminderSpec::RepeatNone));

    CReminderOptionsDlg reopened(result);
    for (const char* name : PeriodNames)
    {
        QVERIFY(!Find<QRadioButton>(reopened, name).isChecked());
        QVERIFY(!Find<QRadioButton>(reopened, name).isEnabled());
    }
}

void TestReminderOptions::mailWithoutRecipientWarnsAndKeepsIt_data()
{
    QTest::addColumn<QString>("mailTo");
    QTest::addColumn<bool>("warned");
    QTest::newRow("no recipient") << "" << true;
    QTest::newRow("recipient") << "me@example.org" << false;
}

void TestReminderOptions::mailWithoutRecipientWarnsAndKeepsIt()
{
    QFETCH(QString, mailTo);
    QFETCH(bool, warned);
    GetSettings().SetMailTo(mailTo);
    CReminderOptionsDlg dialog(Spec(0, 0));
    dialog.show();
    Click(Find<QCheckBox>(dialog, "mailCheck"));
    Click(Find<QPushButton>(dialog, "okButton"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    CReminderSpec result;
    dialog.CopyTo(result);
    QCOMPARE(result.m_bMail, 1);
    QCOMPARE(m_messages.size(), warned ? 1 : 0);
    if (warned)
        QVERIFY(m_messages[0].startsWith(
            QStringLiteral("You have requested that E-Mail be sent to remind you")));
}

QTEST_MAIN(TestReminderOptions)
#include "tst_reminderoptions.moc"
