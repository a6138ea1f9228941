#include "AccountIcal.h"
#include "AccountJson.h"
#include "AccountSnapshot.h"
#include "base/LocalTime.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace
{
enum ExitCode
{
    ExitOk = 0,
    ExitFailed = 1,
    ExitUsage = 2,
};

enum class Format
{
    Json,
    Ical,
};

const char* const Usage =
    "usage: vemo-cli list FOLDER\n"
    "       vemo-cli export [--format json|ical] FOLDER\n"
    "       vemo-cli import [--format json|ical] FILE FOLDER   (FILE may be - for standard input)\n"
    "FOLDER is an account folder, the one holding NAME.acf.  JSON, the default, keeps every\n"
    "field; iCalendar holds what a calendar program can show.\n";

// A name or path quoted in the reason may hold line breaks or other controls; escaped, the
// reason stays one line that a script can read.
QString OneLine(const QString& text)
{
    QString line;
    for (const QChar ch : text)
    {
        const char16_t unit = ch.unicode();
        const bool control = unit < u' ' || (unit >= u'\x7F' && unit <= u'\x9F') ||
                             unit == u'\u2028' || unit == u'\u2029';
        line += control ? QStringLiteral("\\u%1").arg(unit, 4, 16, QLatin1Char('0')) : QString(ch);
    }
    return line;
}

int Fail(const QString& reason)
{
    QTextStream(stderr) << "vemo-cli: " << OneLine(reason) << Qt::endl;
    return ExitFailed;
}

QString DoByText(qint32 doBy)
{
    return FormatLocalTime(doBy, IsLocalMidnight(doBy) ? "%Y-%m-%d" : "%Y-%m-%d %H:%M");
}

// The listing is collected a group at a time and written once the last group is read: a damaged
// file leaves nothing on standard output, and only one group is held, with the text so far.
int List(const QString& folder)
{
    CAccountSnapshot account;
    QString error;
    if (!account.Open(folder, error))
        return Fail(error);
    QByteArray listing;
    QTextStream out(&listing, QIODevice::WriteOnly);
    out << account.m_strName << '\n';
    for (const QString& path : std::as_const(account.m_groupFiles))
    {
        CVemoGroup group;
        if (!CAccountSnapshot::LoadGroup(path, group, error))
            return Fail(error);
        out << '\n' << group.GetName() << '\n';
        for (const CVemoItem& item : group.GetItems())
        {
            out << QLatin1StringView("  [") << (item.m_bCompleted ? 'x' : ' ')
                << QLatin1StringView("] ") << item.m_strTitle << QLatin1StringView("  (Do By ")
                << DoByText(item.m_reminder.m_timeDoBy) << QLatin1StringView(", ")
                << item.GetPriorityText() << QLatin1StringView(")\n");
        }
    }
    out.flush();
    QFile stdOut;
    if (!stdOut.open(stdout, QIODevice::WriteOnly) || stdOut.write(listing) != listing.size() ||
        !stdOut.flush())
        return Fail(QStringLiteral("standard output cannot be written"));
    return ExitOk;
}

int ExportIcal(const QString& folder)
{
    CAccountSnapshot account;
    QString error;
    if (!account.Load(folder, error))
        return Fail(error);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(CAccountIcal::ToIcal(account)) < 0 ||
        !out.flush())
        return Fail(QStringLiteral("standard output cannot be written"));
    return ExitOk;
}

// Every group is read once before anything is written, so a damaged file ends the export with
// nothing on standard output; the second reading hands them over one at a time, and only one
// group is ever held.
int ExportJson(const QString& folder)
{
    CAccountSnapshot account;
    QString error;
    if (!account.Open(folder, error))
        return Fail(error);
    for (const QString& path : std::as_const(account.m_groupFiles))
    {
        CVemoGroup group;
        if (!CAccountSnapshot::LoadGroup(path, group, error))
            return Fail(error);
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return Fail(QStringLiteral("standard output cannot be written"));
    const auto groupAt = [&account, &error](qsizetype index, CVemoGroup& group)
    {
        return CAccountSnapshot::LoadGroup(account.m_groupFiles[index], group, error);
    };
    const bool written =
        CAccountJson::WriteJson(account, account.m_groupFiles.size(), groupAt, out) && out.flush();
    if (!error.isEmpty())
        return Fail(error);
    return written ? ExitOk : Fail(QStringLiteral("standard output cannot be written"));
}

bool ReadInput(const QString& fileName, QByteArray& bytes)
{
    QFile file(fileName);
    const bool fromStdin = fileName == QLatin1String("-");
    if (!(fromStdin ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly)))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

QString SkippedText(int skipped)
{
    return skipped == 1 ? QStringLiteral("1 event or journal was skipped")
                        : QStringLiteral("%1 events and journals were skipped").arg(skipped);
}

int Import(const QString& fileName, const QString& folder, Format format)
{
    QByteArray bytes;
    if (!ReadInput(fileName, bytes))
        return Fail(QStringLiteral("%1: cannot be read").arg(fileName));
    CAccountSnapshot account;
    QString error;
    int skipped = 0;
    const bool read = format == Format::Ical
                          ? CAccountIcal::FromIcal(bytes, account, error, skipped)
                          : CAccountJson::FromJson(bytes, account, error);
    if (!read)
        return Fail(QStringLiteral("%1: %2").arg(fileName, error));
    if (!account.Create(folder, error))
        return Fail(error);
    if (skipped > 0)
        QTextStream(stderr) << "vemo-cli: " << SkippedText(skipped) << Qt::endl;
    return ExitOk;
}

// Takes "--format NAME" out of the arguments; false when it is given twice, without a name or
// with one that is not a format.
bool TakeFormat(QStringList& args, Format& format)
{
    const qsizetype at = args.indexOf(QLatin1String("--format"));
    if (at < 0)
        return true;
    const QString name = args.value(at + 1);
    args.remove(at, qMin<qsizetype>(2, args.size() - at));
    if (args.contains(QLatin1String("--format")))
        return false;
    format = name == QLatin1String("ical") ? Format::Ical : Format::Json;
    return name == QLatin1String("ical") || name == QLatin1String("json");
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("list") && args.size() == 2)
        return List(args[1]);
    Format format = Format::Json;
    const bool formatOk = TakeFormat(args, format);
    if (command == QLatin1String("export") && args.size() == 2 && formatOk)
        return format == Format::Ical ? ExportIcal(args[1]) : ExportJson(args[1]);
    if (command == QLatin1String("import") && args.size() == 3 && formatOk)
        return Import(args[1], args[2], format);
    if (command == QLatin1String("--help") && args.size() == 1)
    {
        QTextStream(stdout) << Usage;
        return ExitOk;
    }
    QTextStream(stderr) << Usage;
    return ExitUsage;
}
