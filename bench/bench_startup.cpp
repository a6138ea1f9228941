// Times what a user waits for with a large account: starting Vemo until the window shows the
// tree, adding an item to a full group, and closing (notes stored, account saved).
// Run: build/bench_startup [groups] [items per group] [rounds]

#include "BenchAccount.h"
#include "model/AccountFile.h"
#include "model/CommandIds.h"
#include "model/UserPrompts.h"
#include "model/VemoItem.h"
#include "shell/CommandActions.h"
#include "shell/MainFrame.h"
#include "shell/ProgramFolder.h"
#include "shell/VemoApp.h"
#include "views/GroupView.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

using namespace BenchAccount;

namespace
{
// Confirms every question and names every new item, as a user clicking OK would.
class CBenchPrompts : public IUserPrompts
{
public:
    Answer MessageBox(const QString&, Icon icon) override { return icon == Question ? Yes : Ok; }
    bool AskNewAccountName(QString&) override { return false; }
    bool AskAccountToOpen(QString&) override { return false; }
    bool AskNewGroupName(QString&) override { return false; }
    bool EditItem(const QString&, CVemoItem& item) override
    {
        item.m_strTitle = QStringLiteral("Added while timing");
        return true;
    }
};

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double ElapsedMs(QElapsedTimer& timer)
{
    const double ms = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return ms;
}
} // namespace

int main(int argc, char* argv[])
{
    // Everything the run writes stays in a folder of its own, away from the user's accounts.
    QTemporaryDir home;
    qputenv("VEMO_HOME", home.filePath(QStringLiteral("vemo/")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    const QStringList args = app.arguments();
    const int groupCount = args.value(1, QStringLiteral("100")).toInt();
    const int itemCount = args.value(2, QStringLiteral("1000")).toInt();
    const int rounds = args.value(3, QStringLiteral("5")).toInt();

    const QString folder = GetProgramFolder() + QStringLiteral("Bench");
    QDir().mkpath(folder);
    CAccountFile::Write(folder);
    for (CVemoGroup& group : MakeAccount(groupCount, itemCount))
        group.SaveToFile(folder);

    std::vector<double> openTimes, addTimes, closeTimes;
    CBenchPrompts prompts;
    for (int r = 0; r < rounds; ++r)
    {
        QElapsedTimer timer;
        timer.start();
        auto vemo = std::make_unique<CVemoApp>(&prompts);
        vemo->Start(folder);
        QApplication::processEvents();
        openTimes.push_back(ElapsedMs(timer));

        CGroupView* tree = vemo->GetMainFrame().GetView();
        tree->setCurrentItem(tree->topLevelItem(0));
        timer.restart();
        vemo->GetActions().Execute(ID_ITEM_ADD);
        QApplication::processEvents();
        addTimes.push_back(ElapsedMs(timer));

        vemo->GetMainFrame().close();
        vemo.reset();
        closeTimes.push_back(ElapsedMs(timer));
    }

    QTextStream out(stdout);
    out << groupCount << " groups x " << itemCount << " items, median of " << rounds << " rounds\n"
        << "start until the tree shows  " << Median(openTimes) << " ms\n"
        << "add an item to a full group " << Median(addTimes) << " ms\n"
        << "close (saves the account)   " << Median(closeTimes) << " ms\n";
    return 0;
}
