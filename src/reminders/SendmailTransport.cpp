#include "SendmailTransport.h"

#include "shell/VemoMessageBox.h"

#include <QByteArrayList>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>
#include <QUrl>
#include <QUuid>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

namespace
{
const QString SendFailed = QStringLiteral("Send Mail failed to send message.");
const QString DefaultSendmail = QStringLiteral("/usr/sbin/sendmail");

// An encoded word may not pass 75 characters: 45 bytes of text make 60 of base64, which fit
// beside the 12 of "=?UTF-8?B?" and "?=".
constexpr qsizetype EncodedWordBytes = 45;
// Leaves room for the header's name within the 998 characters a line may hold.
constexpr qsizetype LongestPlainHeader = 900;
// With the soft break's "=" an encoded body line holds 76 characters, as quoted-printable allows.
constexpr qsizetype QuotedLineLength = 75;

QString SendmailProgram()
{
    const QString named = qEnvironmentVariable("VEMO_SENDMAIL");
    return QStandardPaths::findExecutable(named.isEmpty() ? DefaultSendmail : named);
}

// A CR or LF from the user would end the header line and start one of the text's choosing.
QString OneLine(QString text)
{
    for (QChar& c : text)
    {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    }
    return text;
}

// Text that looks like an encoded word is encoded too, or a reader would decode it.
bool IsPlainHeaderText(const QString& text)
{
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x7f; });
    return ascii && text.size() <= LongestPlainHeader && !text.contains(QStringLiteral("=?"));
}

QByteArray EncodedWord(const QByteArray& bytes)
{
    return "=?UTF-8?B?" + bytes.toBase64() + "?=";
}

// Each word holds whole characters, so every word decodes on its own; the words are folded
// onto lines of their own.
QByteArray EncodedWords(const QString& text)
{
    QByteArrayList words;
    QByteArray word;
    for (qsizetype i = 0; i < text.size();)
    {
        const qsizetype units = text.at(i).isHighSurrogate() ? 2 : 1;
        const QByteArray bytes = text.mid(i, units).toUtf8();
        if (word.size() + bytes.size() > EncodedWordBytes)
        {
            words.append(EncodedWord(word));
            word.clear();
        }
        word += bytes;
        i += units;
    }
    words.append(EncodedWord(word));
    return words.join("\n ");
}

QByteArray HeaderText(const QString& text)
{
    const QString line = OneLine(text);
    return IsPlainHeaderText(line) ? line.toUtf8() : EncodedWords(line);
}

QByteArray DisplayName(const QString& name)
{
    if (!IsPlainHeaderText(name))
        return EncodedWords(name);
    QByteArray quoted = name.toUtf8();
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + quoted + '"';
}

QByteArray HostName()
{
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QByteArray("localhost") : host.toUtf8();
}

QByteArray LocalAddress()
{
    const passwd* account = getpwuid(getuid());
    const QByteArray login = account ? QByteArray(account->pw_name) : qgetenv("USER");
    return login + '@' + HostName();
}

// "Mail From" holds either an address or a name to show beside the user's own address.
QByteArray FromField(const QString& fromName)
{
    const QString from = OneLine(fromName).trimmed();
    if (from.contains(u'@'))
        return from.toUtf8();
    return DisplayName(from) + " <" + LocalAddress() + '>';
}

QByteArray Header(const char* name, const QByteArray& value)
{
    return name + QByteArray(": ") + value + '\n';
}

QStringList BodyLines(const QString& body)
{
    QString text = body;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return text.split(u'\n');
}

// A blank at the end of a line is encoded, as a mail system may strip it.
QByteArray QuotedPrintable(uchar c, bool lastOnLine)
{
    const bool blank = c == ' ' || c == '\t';
    if ((c >= '!' && c <= '~' && c != '=') || (blank && !lastOnLine))
        return QByteArray(1, char(c));
    return '=' + QByteArray(1, char(c)).toHex().toUpper();
}

QByteArray QuotedPrintableLine(const QByteArray& line)
{
    QByteArray encoded;
    qsizetype column = 0;
    for (qsizetype i = 0; i < line.size(); ++i)
    {
        const QByteArray piece = QuotedPrintable(uchar(line.at(i)), i + 1 == line.size());
        if (column + piece.size() > QuotedLineLength)
        {
            encoded += "=\n";
            column = 0;
        }
        encoded += piece;
        column += piece.size();
    }
    return encoded;
}

// Quoted-printable keeps any text intact through every mail system: long lines are broken
// softly, and nothing needs an 8-bit path. Lines end as sendmail reads them, in LF alone.
QByteArray QuotedPrintableBody(const QString& body)
{
    QByteArrayList lines;
    for (const QString& line : BodyLines(body))
        lines.append(QuotedPrintableLine(line.toUtf8()));
    return lines.join('\n') + '\n';
}

QByteArray MessageText(const IMailTransport::CMailMessage& message)
{
    QByteArray text =
        Header("Date", QDateTime::currentDateTime().toString(Qt::RFC2822Date).toUtf8());
    // Without a From line sendmail puts in the user's own address.
    if (!message.m_strFromName.trimmed().isEmpty())
        text += Header("From", FromField(message.m_strFromName));
    text += Header("To", OneLine(message.m_strTo).toUtf8());
    text += Header("Subject", HeaderText(message.m_strSubject));
    text += Header("Message-ID", '<' + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '@' +
                                     HostName() + '>');
    text += "MIME-Version: 1.0\n"
            "Content-Type: text/plain; charset=UTF-8\n"
            "Content-Transfer-Encoding: quoted-printable\n"
            "\n";
    return text + QuotedPrintableBody(message.m_strBody);
}

// Everything but the address's own "@" and "," is escaped, so no text can add a field.
QUrl MailtoUrl(const IMailTransport::CMailMessage& message)
{
    const QByteArray to = QUrl::toPercentEncoding(OneLine(message.m_strTo), "@,");
    const QByteArray subject = QUrl::toPercentEncoding(OneLine(message.m_strSubject));
    const QByteArray body =
        QUrl::toPercentEncoding(BodyLines(message.m_strBody).join(QStringLiteral("\r\n")));
    return QUrl::fromEncoded("mailto:" + to + "?subject=" + subject + "&body=" + body,
                             QUrl::StrictMode);
}
} // namespace

CSendmailTransport::CSendmailTransport(QWidget* parent, UrlOpener openUrl)
    : m_pParent(parent)
    , m_openUrl(std::move(openUrl))
{
}

bool CSendmailTransport::IsAvailable(Mode mode) const
{
    if (mode == SendSilently)
        return !SendmailProgram().isEmpty();
    // The desktop hands a mailto: link to the user's mail program through xdg-open. Asked once:
    // every menu update asks again.
    if (!m_bComposeAvailable)
        m_bComposeAvailable = !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty();
    return *m_bComposeAvailable;
}

IMailTransport::Outcome CSendmailTransport::Send(const CMailMessage& message, Mode mode)
{
    const bool sent =
        mode == SendSilently ? PipeToSendmail(message) : m_openUrl(MailtoUrl(message));
    return sent ? Sent : Fail();
}

bool CSendmailTransport::PipeToSendmail(const CMailMessage& message) const
{
    const QDeadlineTimer deadline(m_nTimeout);
    QProcess sendmail;
    sendmail.setStandardOutputFile(QProcess::nullDevice());
    sendmail.setStandardErrorFile(QProcess::nullDevice());
    // The recipients come from the header alone, so no user text ever reaches the command line.
    sendmail.start(SendmailProgram(), {QStringLiteral("-t"), QStringLiteral("-i")});
    if (!sendmail.waitForStarted(int(deadline.remainingTime())))
        return false;
    sendmail.write(MessageText(message));
    sendmail.closeWriteChannel();
    if (sendmail.waitForFinished(int(deadline.remainingTime())))
        return sendmail.exitStatus() == QProcess::NormalExit && sendmail.exitCode() == 0;
    sendmail.kill();
    sendmail.waitForFinished();
    return false;
}

IMailTransport::Outcome CSendmailTransport::Fail() const
{
    ShowVemoMessage(m_pParent, SendFailed, IUserPrompts::Exclamation);
    return Failed;
}
