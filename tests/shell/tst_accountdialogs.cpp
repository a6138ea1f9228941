#include "TestHome.h"
#include "base/ProgramFolder.h"
#include "model/AccountFile.h"
#include "shell/AccountsDlg.h"
#include "shell/NewAccountDlg.h"
#include "shell/NewGroupDlg.h"
#include "shell/VemoMessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <functional>

namespace
{
using Message = QPair<QString, IUserPrompts::Icon>;

const QString NoAccounts = QStringLiteral("There are no Vemo accounts!");
const QString FailedRename = QStringLiteral("Failed to rename the account.");

QString Folder(const QString& name)
{
    return GetProgramFolder() + name;
}

bool MakeAccount(const QString& name)
{
    return QDir().mkpath(Folder(name)) && CAccountFile::Write(Folder(name));
}

QList<Message> OneMessage(const QString& text, IUserPrompts::Icon icon)
{
    return {{text, icon}};
}

QPushButton* Button(QWidget& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

QStringList Labels(const QListWidget& list)
{
    QStringList labels;
    for (int row = 0; row < list.count(); ++row)
        labels.append(list.item(row)->text());
    return labels;
}

// A widget gets the double click without the press before it that a real one has.
void DoubleClick(QListWidget& list, int row)
{
    const QPoint pos = list.visualItemRect(list.item(row)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, pos);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, pos);
}

// Runs the dialog modally, drives it once it shows and closes it if the drive did not.
int Run(CAccountsDlg& dialog, const std::function<void(QListWidget&)>& drive)
{
    QTimer::singleShot(0, &dialog,
                       [&]
                       {
                           const auto closer = qScopeGuard(
                               [&]
                               {
                                   if (dialog.isVisible())
                                       dialog.reject();
                               });
                           drive(*dialog.findChild<QListWidget*>(QStringLiteral("accountList")));
                       });
    return dialog.exec();
}
} // namespace

class TestAccountDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newAccountOkNeedsText_data();
    void newAccountOkNeedsText();
    void newGroupRefusesUnusableNames_data();
    void newGroupRefusesUnusableNames();
    void noAccountsReportsAndCancels_data();
    void noAccountsReportsAndCancels();
    void openModeOpensSelectedAccount();
    void manageModeOffersDoneDeleteAndRename();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void renameChangesLabelOnlyWithFolder_data();
    void renameChangesLabelOnlyWithFolder();

private:
    CTestHome m_home;
    QList<Message> m_messages;
    IUserPrompts::Answer m_answer = IUserPrompts::No;
};

void TestAccountDialogs::init()
{
    QDir(GetProgramFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(GetProgramFolder()));
    m_messages.clear();
    m_answer = IUserPrompts::No;
    SetVemoMessageHandler(
        [this](const QString& text, IUserPrompts::Icon icon)
        {
            m_messages.append({text, icon});
            return icon == IUserPrompts::Question ? m_answer : IUserPrompts::Ok;
        });
}

void TestAccountDialogs::cleanup()
{
    SetVemoMessageHandler(nullptr);
}

void TestAccountDialogs::newAccountOkNeedsText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("erased");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("nothing") << "" << 0 << ""
                             << "";
    QTest::newRow("one letter") << "a" << 0 << "a"
                                << "";
    QTest::newRow("erased again") << "ab" << 2 << ""
                                  << "";
    QTest::newRow("beyond 256")
        << QString(300, u'x') << 0 << QString(256, u'x')
        << "You must use a shorter account name: this one is too long to be a file name.";
    QTest::newRow("trailing dot") << "Home." << 0 << "Home."
                                  << "You must use an account name that doesn't end with a "
                                     "period or a space.";
}

void TestAccountDialogs::newAccountOkNeedsText()
{
    QFETCH(QString, typed);
    QFETCH(int, erased);
    QFETCH(QString, name);
    QFETCH(QString, refusal);
    CNewAccountDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vemo - New Account"));
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("nameEdit"));
    QPushButton* ok = Button(dialog, "okButton");
    QVERIFY(!ok->isEnabled());

    QTest::keyClicks(edit, typed);
    for (int i = 0; i < erased; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), name);
    QCOMPARE(ok->isEnabled(), !name.isEmpty());
    ok->click();
    if (!refusal.isEmpty())
    {
        // Refused with its reason, and still there to be mended.
        QCOMPARE(m_messages, OneMessage(refusal, IUserPrompts::Exclamation));
        QVERIFY(dialog.isVisible());
        QCOMPARE(edit->text(), name);
        QCOMPARE(edit->selectedText(), name);
        return;
    }
    QCOMPARE(dialog.result(), name.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
    QCOMPARE(dialog.m_strName, name);
    QVERIFY(m_messages.isEmpty());
}

void TestAccountDialogs::newGroupRefusesUnusableNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("name") << "Chores"
                          << "";
    QTest::newRow("empty") << ""
                           << "You must enter a group name.";
    QTest::newRow("device") << "aux"
                            << "You must use another group name: \"aux\" is the name of a device "
                               "on Windows.";
}

void TestAccountDialogs::newGroupRefusesUnusableNames()
{
    QFETCH(QString, name);
    QFETCH(QString, refusal);
    CNewGroupDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vemo - New Group"));
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("nameEdit"));
    QTest::keyClicks(edit, name);
    Button(dialog, "okButton")->click();
    if (!refusal.isEmpty())
    {
        QCOMPARE(m_messages, OneMessage(refusal, IUserPrompts::Exclamation));
        QVERIFY(dialog.isVisible());
        QCOMPARE(edit->text(), name);
        return;
    }
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(dialog.m_strName, name);
}

void TestAccountDialogs::noAccountsReportsAndCancels_data()
{
    QTest::addColumn<QByteArray>("accountFile");
    QTest::newRow("no folder") << QByteArray();
    QTest::newRow("folder without account file") << QByteArray("-");
    QTest::newRow("account file without signature") << QByteArray("not an account");
}

void TestAccountDialogs::noAccountsReportsAndCancels()
{
    QFETCH(QByteArray, accountFile);
    if (!accountFile.isEmpty())
    {
        QVERIFY(QDir().mkpath(Folder(QStringLiteral("Home"))));
        QFile file(Folder(accountFile == "-" ? QStringLiteral("Home/Work.grp")
                                             : QStringLiteral("Home/Home.acf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(accountFile) > 0);
    }
    for (const bool manage : {false, true})
    {
        m_messages.clear();
        CAccountsDlg dialog;
        dialog.m_bManageMode = manage;
        bool shown = false;
        QCOMPARE(Run(dialog, [&](QListWidget&) { shown = true; }), int(QDialog::Rejected));
        QVERIFY(!shown);
        QCOMPARE(m_messages, OneMessage(NoAccounts, IUserPrompts::Exclamation));
    }
}

void TestAccountDialogs::openModeOpensSelectedAccount()
{
    QVERIFY(MakeAccount(QStringLiteral("Work")));
    QVERIFY(MakeAccount(QStringLiteral("Home")));
    CAccountsDlg dialog;
    const int result = Run(
        dialog,
        [&](QListWidget& list)
        {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Vemo - Open Account"));
            QCOMPARE(Labels(list), QStringList({"Home", "Work"}));
            QCOMPARE(list.selectedItems(), QList<QListWidgetItem*>{list.item(0)});
            QVERIFY(Button(dialog, "deleteButton")->isHidden());
            QVERIFY(Button(dialog, "renameButton")->isHidden());
            QPushButton* ok = Button(dialog, "okButton");
            QVERIFY(!Button(dialog, "cancelButton")->isHidden());
            QVERIFY(ok->isEnabled());

            list.clearSelection();
            QVERIFY(!ok->isEnabled());
            // OK guards itself too, should it ever be pressed without a selection.
            ok->setEnabled(true);
            ok->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(m_messages, OneMessage(QStringLiteral("You must select an account to open."),
                                            IUserPrompts::Exclamation));

            DoubleClick(list, 1);
        });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(dialog.m_strSelected, QStringLiteral("Work"));
}

void TestAccountDialogs::manageModeOffersDoneDeleteAndRename()
{
    QVERIFY(MakeAccount(QStringLiteral("Home")));
    CAccountsDlg dialog;
    dialog.m_bManageMode = true;
    const int result =
        Run(dialog,
            [&](QListWidget& list)
            {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Vemo - Manage Accounts"));
                QPushButton* done = Button(dialog, "okButton");
                QCOMPARE(done->text(), QStringLiteral("&Done"));
                QVERIFY(Button(dialog, "cancelButton")->isHidden());
                QVERIFY(Button(dialog, "deleteButton")->isEnabled());
                QVERIFY(Button(dialog, "renameButton")->isEnabled());

                list.clearSelection();
                QVERIFY(!Button(dialog, "deleteButton")->isEnabled());
                QVERIFY(!Button(dialog, "renameButton")->isEnabled());
                QVERIFY(done->isEnabled());
                DoubleClick(list, 0);
                QVERIFY(dialog.isVisible());
                done->click();
            });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(m_messages.isEmpty());
}

void TestAccountDialogs::deleteAsksFirst_data()
{
    QTest::addColumn<IUserPrompts::Answer>("answer");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("yes") << IUserPrompts::Yes << QStringList{"Work"};
    QTest::newRow("no") << IUserPrompts::No << QStringList{"Home", "Work"};
}

void TestAccountDialogs::deleteAsksFirst()
{
    QFETCH(IUserPrompts::Answer, answer);
    QFETCH(QStringList, labels);
    QVERIFY(MakeAccount(QStringLiteral("Home")));
    QVERIFY(MakeAccount(QStringLiteral("Work")));
    m_answer = answer;
    CAccountsDlg dialog;
    dialog.m_bManageMode = true;
    Run(dialog,
        [&](QListWidget& list)
        {
            Button(dialog, "deleteButton")->click();
            QCOMPARE(Labels(list), labels);
        });
    QCOMPARE(m_messages,
             OneMessage(QStringLiteral("Are you sure you want to delete the 'Home' account?"),
                        IUserPrompts::Question));
    QCOMPARE(CAccountFile::ListAccounts(GetProgramFolder()), labels);
}

void TestAccountDialogs::renameChangesLabelOnlyWithFolder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("new name") << "Office" << QStringList{"Office", "Work"} << QStringList();
    QTest::newRow("case only") << "HOME" << QStringList{"Home", "Work"} << QStringList();
    QTest::newRow("another account")
        << "Work" << QStringList{"Home", "Work"} << QStringList{FailedRename};
    QTest::newRow("unusable name")
        << "a/b" << QStringList{"Home", "Work"}
        << QStringList{"You must use an account name without any of the characters \\ / : * ? \" "
                       "< > |."};
}

void TestAccountDialogs::renameChangesLabelOnlyWithFolder()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, messages);
    QVERIFY(MakeAccount(QStringLiteral("Home")));
    QVERIFY(MakeAccount(QStringLiteral("Work")));
    CAccountsDlg dialog;
    dialog.m_bManageMode = true;
    Run(dialog,
        [&](QListWidget& list)
        {
            Button(dialog, "renameButton")->click();
            auto* editor = list.findChild<QLineEdit*>();
            QVERIFY(editor);
            editor->setText(typed);
            QTest::keyClick(editor, Qt::Key_Return);
            // The delegate hands the edit over through the event queue.
            QCoreApplication::processEvents();
            QCOMPARE(Labels(list), labels);
        });
    QStringList shown;
    for (const Message& message : m_messages)
        shown.append(message.first);
    QCOMPARE(shown, messages);
    QCOMPARE(CAccountFile::ListAccounts(GetProgramFolder()), labels);
}

QTEST_MAIN(TestAccountDialogs)
#include "tst_accountdialogs.moc"
