// Opens an account and saves it again and again with every item changed, so a test can kill it
// at any moment of a save or let it meet a full disk.
//
// usage: save_loop FOLDER ROUNDS
// Prints "open" once the account is open. Exits 0 when every save succeeded, 3 when a save
// returned false, 1 when the account cannot be opened, 2 on bad arguments.

#include "model/AccountFakes.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QTextStream>

#include <utility>

namespace
{
enum ExitCode
{
    ExitOk = 0,
    ExitNotOpened = 1,
    ExitUsage = 2,
    ExitSaveFailed = 3,
};
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool isNumber = false;
    const qint64 rounds = args.value(1).toLongLong(&isNumber);
    if (args.size() != 2 || !isNumber || rounds < 0)
    {
        QTextStream(stderr) << "usage: save_loop FOLDER ROUNDS\n";
        return ExitUsage;
    }

    CAccountFixture fixture;
    if (!fixture.m_account.OpenAccount(args[0]))
    {
        QTextStream(stderr) << "save_loop: " << args[0] << ": the account cannot be opened\n";
        return ExitNotOpened;
    }
    // The script waits for this line, so its kill lands in the saves and not in start-up.
    QTextStream(stdout) << "open" << Qt::endl;

    // Collected first: changing an item must not disturb the walk over the groups.
    QList<QPair<QString, quint32>> items;
    for (const CVemoGroup& group : fixture.m_account.GetGroups())
    {
        for (const CVemoItem& item : group.GetItems())
            items.append({group.GetName(), item.m_dwKey});
    }

    for (qint64 round = 1; round <= rounds; ++round)
    {
        // A length that changes every round makes every file size differ from the last one's.
        const QString message(int(round % 97) * 5 + 1, QLatin1Char('m'));
        const QString title = QStringLiteral("Round %1").arg(round);
        for (const auto& [group, key] : std::as_const(items))
        {
            fixture.m_account.SetItemTitle(group, key, title);
            fixture.m_account.SetItemMessage(group, key, message);
        }
        if (!fixture.m_account.SaveAccount())
        {
            QTextStream(stderr) << "save_loop: SaveAccount returned false in round " << round
                                << '\n';
            return ExitSaveFailed;
        }
    }
    return ExitOk;
}
