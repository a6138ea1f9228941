// Times what a user waits for with a large account: starting Vemo until the window shows the
// tree, adding an item to a full group, and closing (notes stored, account saved); then starting
// the same account with sticky notes shown, beside the start without, and until the last note is
// up. Run: build/bench_startup [groups] [items per group] [rounds] [notes]

#include "BenchAccount.h"
#include "base/ProgramFolder.h"
#include "model/CommandIds.h"
#include "model/UserPrompts.h"
#include "model/VemoItem.h"
#include "shell/CommandActions.h"
#include "shell/MainFrame.h"
#include "shell/VemoApp.h"
#include "views/GroupView.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
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

double ElapsedMs(QElapsedTimer& timer)
{
    const double ms = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return ms;
}

// The size the program gives a new note.
constexpr int NoteSide = 200;
constexpr int NoteColumns = 20;
// The window with its tree may take twice as long to come up as loading the account alone.
constexpr double TreeRatioGoal = 2.0;
// A start with the notes may take twice as long as one without them, no more.
constexpr double NoteRatioGoal = 2.0;

// Where the index-th note sits: a grid of overlapping notes spread over the screen, so that no two
// share a rectangle and none is moved back to the screen's corner as it opens.
CRect32 NotePlace(int index, int noteCount)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int rows = (noteCount + NoteColumns - 1) / NoteColumns;
    const int stepX = qMax(1, (screen.width() - NoteSide) / NoteColumns);
    const int stepY = qMax(1, (screen.height() - NoteSide) / qMax(1, rows));
    const int left = screen.left() + index % NoteColumns * stepX;
    const int top = screen.top() + index / NoteColumns * stepY;
    return {left, top, left + NoteSide, top + NoteSide};
}

// Shows a note for items spread evenly over the whole account.
void ShowNotes(QVector<CVemoGroup>& groups, int noteCount)
{
    const qint64 total = qint64(groups.size()) * groups.value(0).GetItems().size();
    const qint64 step = qMax<qint64>(1, total / qMax(1, noteCount));
    qint64 index = 0;
    int shown = 0;
    for (CVemoGroup& group : groups)
    {
        for (CVemoItem item : group.GetItems())
        {
            if (index++ % step != 0 || shown == noteCount)
                continue;
            item.m_bHasSticky = 1;
            item.m_rectSticky = NotePlace(shown++, noteCount);
            group.SetItem(item.m_dwKey, item);
        }
    }
}

// The notes that are up, or with up false, those still waiting to come up.
int CountNotes(bool up)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return int(std::count_if(windows.begin(), windows.end(),
                             [up](const QWidget* window) {
                                 return window->objectName() == "stickyWnd" &&
                                        window->isVisible() == up;
                             }));
}

// What the start is measured against: reading every group of the account into memory, kept as
// the program keeps it, without windows.
void LoadTimed(const QString& folder, std::vector<double>& times)
{
    QElapsedTimer timer;
    timer.start();
    QVector<CVemoGroup> groups;
    LoadGroups(folder, groups);
    times.push_back(ElapsedMs(timer));
}

std::unique_ptr<CVemoApp> StartTimed(IUserPrompts& prompts, const QString& folder,
                                     std::vector<double>& times)
{
    QElapsedTimer timer;
    timer.start();
    auto vemo = std::make_unique<CVemoApp>(&prompts);
    vemo->Start(folder);
    QApplication::processEvents();
    times.push_back(ElapsedMs(timer));
    return vemo;
}
} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    UseScratchHome(home);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    const QStringList args = app.arguments();
    const auto [groupCount, itemCount, rounds] = SizeFromArguments(args);
    const int noteCount = args.value(4, QStringLiteral("200")).toInt();

    QVector<CVemoGroup> groups = MakeAccount(groupCount, itemCount);
    const QString folder = WriteAccount(GetProgramFolder() + QStringLiteral("Bench"), groups);
    ShowNotes(groups, noteCount);
    const QString notesFolder =
        WriteAccount(GetProgramFolder() + QStringLiteral("Bench Notes"), groups);

    std::vector<double> loadTimes, openTimes, addTimes, closeTimes, notesOpenTimes, notesUpTimes;
    int notesUpCount = 0;
    CBenchPrompts prompts;
    for (int r = 0; r < rounds; ++r)
    {
        // Taking turns, the two accounts share whatever load other programs put on the machine.
        LoadTimed(folder, loadTimes);
        auto vemo = StartTimed(prompts, folder, openTimes);
        CGroupView* tree = vemo->GetMainFrame().GetView();
        tree->setCurrentIndex(tree->model()->index(0, 0));
        QElapsedTimer timer;
        timer.start();
        vemo->GetActions().Execute(ID_ITEM_ADD);
        QApplication::processEvents();
        addTimes.push_back(ElapsedMs(timer));

        vemo->GetMainFrame().close();
        vemo.reset();
        closeTimes.push_back(ElapsedMs(timer));

        QElapsedTimer notesTimer;
        notesTimer.start();
        vemo = StartTimed(prompts, notesFolder, notesOpenTimes);
        while (CountNotes(false) > 0)
            QApplication::processEvents();
        notesUpTimes.push_back(ElapsedMs(notesTimer));
        notesUpCount = CountNotes(true);
        vemo->GetMainFrame().close();
    }

    QTextStream out(stdout);
    out << groupCount << " groups x " << itemCount << " items, median of " << rounds << " rounds\n"
        << "start until the tree shows  " << Median(openTimes) << " ms, core load "
        << Median(loadTimes) << " ms: " << Qt::fixed << qSetRealNumberPrecision(2)
        << Median(openTimes) / Median(loadTimes) << " x (goal: at most " << TreeRatioGoal << " x)\n"
        << Qt::reset << "add an item to a full group " << Median(addTimes) << " ms\n"
        << "close (saves the account)   " << Median(closeTimes) << " ms\n"
        << "start with " << noteCount << " notes shown " << Median(notesOpenTimes) << " ms, "
        << Qt::fixed << qSetRealNumberPrecision(2) << Median(notesOpenTimes) / Median(openTimes)
        << " x the start without (goal: at most " << NoteRatioGoal << " x)\n"
        << "until all " << notesUpCount << " notes are up  " << Median(notesUpTimes) << " ms\n";
    return 0;
}
