#include "TestFiles.h"
#include "reminders/SendmailTransport.h"
#include "shell/VemoMessageBox.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

namespace
{
using Mail = IMailTransport::CMailMessage;
using Message = QPair<QString, IUserPrompts::Icon>;

const QString SendFailed = QStringLiteral("Send Mail failed to send message.");
const QByteArray Arguments = "-t\n-i\n";
// Short enough for a test, long enough for a shell to start under the sanitizers.
constexpr int ShortTimeout = 500;

Mail MakeMail(const QString& to, const QString& subject, const QString& body = QString(),
              const QString& fromName = QString())
{
    Mail mail;
    mail.m_strTo = to;
    mail.m_strSubject = subject;
    mail.m_strBody = body;
    mail.m_strFromName = fromName;
    return mail;
}

// The header as sendmail reads it: each field once unfolded, in order, and the body after it.
struct CPiped
{
    QList<QPair<QByteArray, QByteArray>> m_fields;
    QByteArray m_body;

    explicit CPiped(const QByteArray& text)
    {
        const qsizetype end = text.indexOf("\n\n");
        m_body = end < 0 ? QByteArray() : text.mid(end + 2);
        for (const QByteArray& line : text.left(end).split('\n'))
        {
            const qsizetype colon = line.indexOf(": ");
            if (line.startsWith(' ') && !m_fields.isEmpty())
                m_fields.last().second += line;
            else
                m_fields.append({line.left(colon), line.mid(colon + 2)});
        }
    }

    QByteArrayList Names() const
    {
        QByteArrayList names;
        for (const auto& field : m_fields)
            names.append(field.first);
        return names;
    }

    QByteArray Value(const QByteArray& name) const
    {
        for (const auto& field : m_fields)
        {
            if (field.first == name)
                return field.second;
        }
        return QByteArray();
    }
};

QByteArray LocalAddress()
{
    return QByteArray(getpwuid(getuid())->pw_name) + '@' + QSysInfo::machineHostName().toUtf8();
}
} // namespace

class TestMailTransport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sendsCompleteMessage();
    void eachMessageHasItsOwnId();
    void subjectKeepsItsText_data();
    void subjectKeepsItsText();
    void fromShowsNameOrAddress_data();
    void fromShowsNameOrAddress();
    void bodyKeepsItsText_data();
    void bodyKeepsItsText();
    void userTextNeverAddsFieldOrArgument_data();
    void userTextNeverAddsFieldOrArgument();
    void brokenSendmailFails_data();
    void brokenSendmailFails();
    void silentNeedsSendmail_data();
    void silentNeedsSendmail();
    void composeNeedsUrlOpener_data();
    void composeNeedsUrlOpener();
    void composeOpensMailtoLink_data();
    void composeOpensMailtoLink();
    void refusedLinkFails();

private:
    // A stand-in sendmail that keeps its arguments and its input, then runs the given ending.
    QString WriteSendmail(const QByteArray& ending);
    CPiped SendSilently(const Mail& mail);

    QTemporaryDir m_dir;
    QList<Message> m_messages;
    QByteArray m_savedPath;
};

void TestMailTransport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_savedPath = qgetenv("PATH");
}

void TestMailTransport::init()
{
    m_messages.clear();
    SetVemoMessageHandler(
        [this](const QString& text, IUserPrompts::Icon icon)
        {
            m_messages.append({text, icon});
            return IUserPrompts::Ok;
        });
    qputenv("VEMO_SENDMAIL", WriteSendmail("exit 0\n").toLocal8Bit());
    QFile::remove(m_dir.filePath(QStringLiteral("args")));
    QFile::remove(m_dir.filePath(QStringLiteral("stdin")));
}

void TestMailTransport::cleanup()
{
    SetVemoMessageHandler(nullptr);
    qputenv("PATH", m_savedPath);
}

QString TestMailTransport::WriteSendmail(const QByteArray& ending)
{
    const QString path = m_dir.filePath(QStringLiteral("sendmail"));
    const QByteArray folder = QFile::encodeName(m_dir.path());
    const QByteArray script = "#!/bin/sh\n"
                              "printf '%s\\n' \"$@\" > '" +
                              folder + "/args'\ncat > '" + folder + "/stdin'\n" + ending;
    QFile::remove(path);
    if (!WriteFile(path, script))
        return QString();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

CPiped TestMailTransport::SendSilently(const Mail& mail)
{
    CSendmailTransport transport;
    const auto outcome = transport.Send(mail, IMailTransport::SendSilently);
    if (outcome != IMailTransport::Sent)
        return CPiped(QByteArray());
    return CPiped(ReadFile(m_dir.filePath(QStringLiteral("stdin"))));
}

void TestMailTransport::sendsCompleteMessage()
{
    const CPiped piped = SendSilently(
        MakeMail(QStringLiteral("me@example.org"), QStringLiteral("Buy milk"),
                 QStringLiteral("Hello\r\nBuy milk"), QStringLiteral("me@example.org")));

    QCOMPARE(ReadFile(m_dir.filePath(QStringLiteral("args"))), Arguments);
    QCOMPARE(piped.Names(),
             QByteArrayList({"Date", "From", "To", "Subject", "Message-ID", "MIME-Version",
                             "Content-Type", "Content-Transfer-Encoding"}));
    const QDateTime date = QDateTime::fromString(piped.Value("Date"), Qt::RFC2822Date);
    QVERIFY2(date.isValid(), piped.Value("Date"));
    QVERIFY(qAbs(date.secsTo(QDateTime::currentDateTime())) < 600);
    QCOMPARE(piped.Value("From"), "me@example.org");
    QCOMPARE(piped.Value("To"), "me@example.org");
    QCOMPARE(piped.Value("Subject"), "Buy milk");
    QVERIFY(piped.Value("Message-ID").endsWith('@' + QSysInfo::machineHostName().toUtf8() + '>'));
    QCOMPARE(piped.Value("MIME-Version"), "1.0");
    QCOMPARE(piped.Value("Content-Type"), "text/plain; charset=UTF-8");
    QCOMPARE(piped.Value("Content-Transfer-Encoding"), "quoted-printable");
    QCOMPARE(piped.m_body, "Hello\nBuy milk\n");
    QVERIFY(m_messages.isEmpty());
}

void TestMailTransport::eachMessageHasItsOwnId()
{
    const Mail mail = MakeMail(QStringLiteral("me@example.org"), QStringLiteral("Buy milk"));
    const QByteArray first = SendSilently(mail).Value("Message-ID");
    const QByteArray second = SendSilently(mail).Value("Message-ID");

    const QRegularExpression shape(QStringLiteral("^<[^<>@\\s]+@[^<>@\\s]+>$"));
    QVERIFY2(shape.match(QString::fromUtf8(first)).hasMatch(), first);
    QVERIFY(first != second);
}

void TestMailTransport::subjectKeepsItsText_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << QStringLiteral("Buy milk") << QByteArray("Buy milk");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("umlauts") << QStringLiteral("Grüße") << QByteArray("=?UTF-8?B?R3LDvMOfZQ==?=");
    QTest::newRow("looks encoded") << QStringLiteral("=?x?=") << QByteArray("=?UTF-8?B?PT94Pz0=?=");
    QTest::newRow("long, folded")
        << QString(25, QChar(0xfc))
        << QByteArray("=?UTF-8?B?w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7zDvMO8w7w=?= "
                      "=?UTF-8?B?w7zDvMO8?=");
    QTest::newRow("emoji not split")
        << QString::fromUtf8("😀😀😀😀😀😀😀😀😀😀😀😀")
        << QByteArray("=?UTF-8?B?8J+YgPCfmIDwn5iA8J+YgPCfmIDwn5iA8J+YgPCfmIDwn5iA8J+YgPCfmIA=?= "
                      "=?UTF-8?B?8J+YgA==?=");
}

void TestMailTransport::subjectKeepsItsText()
{
    QFETCH(QString, subject);
    QFETCH(QByteArray, field);

    const CPiped piped = SendSilently(MakeMail(QStringLiteral("me@example.org"), subject));

    QCOMPARE(piped.Value("Subject"), field);
}

void TestMailTransport::fromShowsNameOrAddress_data()
{
    QTest::addColumn<QString>("fromName");
    QTest::addColumn<QByteArray>("field");
    const QByteArray own = " <" + LocalAddress() + '>';
    QTest::newRow("empty: sendmail's own") << QString() << QByteArray();
    QTest::newRow("blank: sendmail's own") << QStringLiteral("  ") << QByteArray();
    QTest::newRow("address") << QStringLiteral("me@example.org") << QByteArray("me@example.org");
    QTest::newRow("address with name") << QStringLiteral("Jane Doe <jane@example.org>")
                                       << QByteArray("Jane Doe <jane@example.org>");
    QTest::newRow("name") << QStringLiteral("Jane Doe") << "\"Jane Doe\"" + own;
    QTest::newRow("name with quotes")
        << QStringLiteral("Say \"hi\\\"") << "\"Say \\\"hi\\\\\\\"\"" + own;
    QTest::newRow("name with umlaut") << QStringLiteral("Jörg") << "=?UTF-8?B?SsO2cmc=?=" + own;
}

void TestMailTransport::fromShowsNameOrAddress()
{
    QFETCH(QString, fromName);
    QFETCH(QByteArray, field);

    const CPiped piped = SendSilently(MakeMail(QStringLiteral("me@example.org"),
                                               QStringLiteral("Buy milk"), QString(), fromName));

    QCOMPARE(piped.Names().contains("From"), !field.isEmpty());
    QCOMPARE(piped.Value("From"), field);
}

void TestMailTransport::bodyKeepsItsText_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QByteArray>("piped");
    QTest::newRow("empty") << QString() << QByteArray("\n");
    QTest::newRow("addendum and message")
        << QStringLiteral("Hello\r\nBuy milk") << QByteArray("Hello\nBuy milk\n");
    QTest::newRow("lone breaks") << QStringLiteral("a\rb\nc") << QByteArray("a\nb\nc\n");
    QTest::newRow("umlauts") << QStringLiteral("Grüße") << QByteArray("Gr=C3=BC=C3=9Fe\n");
    QTest::newRow("equals sign") << QStringLiteral("a = b") << QByteArray("a =3D b\n");
    QTest::newRow("blank at line end")
        << QStringLiteral("end \r\ntab\t") << QByteArray("end=20\ntab=09\n");
    QTest::newRow("dot alone") << QStringLiteral(".\r\nafter") << QByteArray(".\nafter\n");
    QTest::newRow("long line") << QString(100, u'a')
                               << QByteArray(75, 'a') + "=\n" + QByteArray(25, 'a') + '\n';
    QTest::newRow("escape not split at break")
        << QString(74, u'a') + QStringLiteral("=") << QByteArray(74, 'a') + "=\n=3D\n";
}

void TestMailTransport::bodyKeepsItsText()
{
    QFETCH(QString, body);
    QFETCH(QByteArray, piped);

    const CPiped sent =
        SendSilently(MakeMail(QStringLiteral("me@example.org"), QStringLiteral("Buy milk"), body));

    QCOMPARE(sent.m_body, piped);
}

void TestMailTransport::userTextNeverAddsFieldOrArgument_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("fromName");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("value");
    const QString evil = QStringLiteral("A\r\nBcc: x@y");
    const QString to = QStringLiteral("me@example.org");
    const QString subject = QStringLiteral("Buy milk");
    const QString from = QStringLiteral("me@example.org");
    QTest::newRow("subject") << to << evil << from << QByteArray("Subject")
                             << QByteArray("A  Bcc: x@y");
    QTest::newRow("to") << evil << subject << from << QByteArray("To") << QByteArray("A  Bcc: x@y");
    QTest::newRow("from") << to << subject << evil << QByteArray("From")
                          << QByteArray("A  Bcc: x@y");
    QTest::newRow("lone LF") << to << QStringLiteral("A\nBcc: x@y") << from << QByteArray("Subject")
                             << QByteArray("A Bcc: x@y");
    QTest::newRow("option as address")
        << QStringLiteral("-oQ/tmp -bh@example.org") << subject << from << QByteArray("To")
        << QByteArray("-oQ/tmp -bh@example.org");
}

void TestMailTransport::userTextNeverAddsFieldOrArgument()
{
    QFETCH(QString, to);
    QFETCH(QString, subject);
    QFETCH(QString, fromName);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, value);

    const CPiped piped = SendSilently(MakeMail(to, subject, QStringLiteral("Hello"), fromName));

    QCOMPARE(ReadFile(m_dir.filePath(QStringLiteral("args"))), Arguments);
    QCOMPARE(piped.Names(),
             QByteArrayList({"Date", "From", "To", "Subject", "Message-ID", "MIME-Version",
                             "Content-Type", "Content-Transfer-Encoding"}));
    QCOMPARE(piped.Value(field), value);
    QCOMPARE(piped.m_body, "Hello\n");
}

void TestMailTransport::brokenSendmailFails_data()
{
    QTest::addColumn<QByteArray>("ending");
    QTest::addColumn<bool>("missing");
    QTest::newRow("exits with 1") << QByteArray("exit 1\n") << false;
    QTest::newRow("killed") << QByteArray("kill -9 $$\n") << false;
    QTest::newRow("hangs") << QByteArray("exec sleep 60\n") << false;
    QTest::newRow("missing") << QByteArray() << true;
}

void TestMailTransport::brokenSendmailFails()
{
    QFETCH(QByteArray, ending);
    QFETCH(bool, missing);
    const QString sendmail = WriteSendmail(ending);
    qputenv("VEMO_SENDMAIL",
            QFile::encodeName(missing ? sendmail + QStringLiteral(".gone") : sendmail));
    CSendmailTransport transport;
    transport.SetTimeout(ShortTimeout);
    QElapsedTimer elapsed;
    elapsed.start();

    const auto outcome =
        transport.Send(MakeMail(QStringLiteral("me@example.org"), QStringLiteral("Buy milk")),
                       IMailTransport::SendSilently);

    QCOMPARE(outcome, IMailTransport::Failed);
    QCOMPARE(m_messages, QList<Message>({{SendFailed, IUserPrompts::Exclamation}}));
    QVERIFY(elapsed.elapsed() < CSendmailTransport::DefaultTimeout / 2);
}

void TestMailTransport::silentNeedsSendmail_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("available");
    QTest::newRow("stand-in") << QStringLiteral("sendmail") << true;
    QTest::newRow("missing") << QStringLiteral("gone") << false;
    QTest::newRow("not executable") << QStringLiteral("plain") << false;
    QTest::newRow("folder") << QStringLiteral("folder") << false;
}

void TestMailTransport::silentNeedsSendmail()
{
    QFETCH(QString, program);
    QFETCH(bool, available);
    QVERIFY(WriteFile(m_dir.filePath(QStringLiteral("plain")), "#!/bin/sh\n"));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
    qputenv("VEMO_SENDMAIL", QFile::encodeName(m_dir.filePath(program)));

    QCOMPARE(CSendmailTransport().IsAvailable(IMailTransport::SendSilently), available);
}

void TestMailTransport::composeNeedsUrlOpener_data()
{
    QTest::addColumn<bool>("opener");
    QTest::newRow("xdg-open on the path") << true;
    QTest::newRow("none") << false;
}

void TestMailTransport::composeNeedsUrlOpener()
{
    QFETCH(bool, opener);
    const QString bin = m_dir.filePath(QStringLiteral("bin"));
    QVERIFY(QDir(bin).removeRecursively() && QDir().mkpath(bin));
    if (opener)
    {
        const QString xdgOpen = bin + QStringLiteral("/xdg-open");
        QVERIFY(WriteFile(xdgOpen, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(xdgOpen, QFile::ReadOwner | QFile::ExeOwner));
    }
    qputenv("PATH", QFile::encodeName(bin));

    QCOMPARE(CSendmailTransport().IsAvailable(IMailTransport::OpenCompose), opener);
}

void TestMailTransport::composeOpensMailtoLink_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QByteArray>("url");
    const QString to = QStringLiteral("me@example.org");
    QTest::newRow("plain") << to << QStringLiteral("Buy milk")
                           << QStringLiteral("Hello\r\nBuy milk")
                           << QByteArray("mailto:me@example.org?subject=Buy%20milk"
                                         "&body=Hello%0D%0ABuy%20milk");
    QTest::newRow("no recipient") << QString() << QStringLiteral("Buy milk") << QString()
                                  << QByteArray("mailto:?subject=Buy%20milk&body=");
    QTest::newRow("umlauts") << to << QStringLiteral("Grüße") << QStringLiteral("Grüße")
                             << QByteArray("mailto:me@example.org?subject=Gr%C3%BC%C3%9Fe"
                                           "&body=Gr%C3%BC%C3%9Fe");
    QTest::newRow("lone breaks") << to << QString() << QStringLiteral("a\nb\rc")
                                 << QByteArray("mailto:me@example.org?subject="
                                               "&body=a%0D%0Ab%0D%0Ac");
    QTest::newRow("fields in the subject")
        << to << QStringLiteral("a&cc=x@y\r\nBcc: z") << QString()
        << QByteArray("mailto:me@example.org?subject=a%26cc%3Dx%40y%20%20Bcc%3A%20z&body=");
    QTest::newRow("fields in the address")
        << QStringLiteral("x@y?cc=z@w&bcc=v@u#") << QString() << QString()
        << QByteArray("mailto:x@y%3Fcc%3Dz@w%26bcc%3Dv@u%23?subject=&body=");
    QTest::newRow("two addresses") << QStringLiteral("a@b, c@d") << QString() << QString()
                                   << QByteArray("mailto:a@b,%20c@d?subject=&body=");
}

void TestMailTransport::composeOpensMailtoLink()
{
    QFETCH(QString, to);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    QFETCH(QByteArray, url);
    QList<QUrl> opened;
    CSendmailTransport transport(nullptr,
                                 [&opened](const QUrl& link)
                                 {
                                     opened.append(link);
                                     return true;
                                 });

    const auto outcome = transport.Send(MakeMail(to, subject, body), IMailTransport::OpenCompose);

    QCOMPARE(outcome, IMailTransport::Sent);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().toEncoded(), url);
    QVERIFY(opened.first().isValid());
    QVERIFY(m_messages.isEmpty());
}

void TestMailTransport::refusedLinkFails()
{
    CSendmailTransport transport(nullptr, [](const QUrl&) { return false; });

    const auto outcome =
        transport.Send(MakeMail(QStringLiteral("me@example.org"), QStringLiteral("Buy milk")),
                       IMailTransport::OpenCompose);

    QCOMPARE(outcome, IMailTransport::Failed);
    QCOMPARE(m_messages, QList<Message>({{SendFailed, IUserPrompts::Exclamation}}));
}

QTEST_MAIN(TestMailTransport)
#include "tst_mailtransport.moc"
