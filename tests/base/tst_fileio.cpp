#include "TestFiles.h"
#include "base/FileIO.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace
{
const QByteArray OldBytes = "old contents";

// A device that is full beyond a few kilobytes: writes past the limit fail with EFBIG, as they
// fail with ENOSPC on a full disk.
class CFullDevice
{
public:
    explicit CFullDevice(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFullDevice()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    CFullDevice(const CFullDevice&) = delete;
    CFullDevice& operator=(const CFullDevice&) = delete;

private:
    rlimit m_previous = {};
    void (*m_previousHandler)(int) = nullptr;
};
} // namespace

class TestFileIO : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writeReplacesWholeFile();
    void writeToFullDeviceKeepsOldFile_data();
    void writeToFullDeviceKeepsOldFile();
    void writeReplacesLinkInsteadOfItsTarget_data();
    void writeReplacesLinkInsteadOfItsTarget();
    void readRefusesWhatIsNoRegularFile();

private:
    QString Path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileIO::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestFileIO::writeReplacesWholeFile()
{
    const QString path = Path(QStringLiteral("Work.grp"));
    QVERIFY(WriteFile(path, QByteArray(5000, 'x')));
    QVERIFY(WriteFileAtomically(path, OldBytes));
    QCOMPARE(ReadFile(path), OldBytes);
    QByteArray read;
    QVERIFY(ReadFileBytes(path, read));
    QCOMPARE(read, OldBytes);
}

void TestFileIO::writeToFullDeviceKeepsOldFile_data()
{
    QTest::addColumn<int>("size");
    // Below the write buffer's size only the flush meets the full device.
    QTest::newRow("smaller than the write buffer") << 10000;
    QTest::newRow("larger than the write buffer") << 100000;
}

void TestFileIO::writeToFullDeviceKeepsOldFile()
{
    QFETCH(int, size);
    const QString path = Path(QStringLiteral("Work.grp"));
    QVERIFY(WriteFile(path, OldBytes));
    bool written = true;
    {
        CFullDevice full(4096);
        written = WriteFileAtomically(path, QByteArray(size, 'n'));
    }
    QVERIFY(!written);
    QCOMPARE(ReadFile(path), OldBytes);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Work.grp")});
}

void TestFileIO::writeReplacesLinkInsteadOfItsTarget_data()
{
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("link to a file elsewhere") << true;
    QTest::newRow("broken link") << false;
}

void TestFileIO::writeReplacesLinkInsteadOfItsTarget()
{
    QFETCH(bool, targetExists);
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("target"));
    if (targetExists)
        QVERIFY(WriteFile(target, OldBytes));
    const QString link = Path(QStringLiteral("Group00.grp"));
    QVERIFY(QFile::link(target, link));

    QVERIFY(WriteFileAtomically(link, "new"));
    QVERIFY(!QFileInfo(link).isSymLink());
    QCOMPARE(ReadFile(link), QByteArray("new"));
    QCOMPARE(QFileInfo::exists(target), targetExists);
    if (targetExists)
        QCOMPARE(ReadFile(target), OldBytes);
}

void TestFileIO::readRefusesWhatIsNoRegularFile()
{
    const QString fifo = Path(QStringLiteral("Pipe.grp"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray bytes;
    QVERIFY(!ReadFileBytes(fifo, bytes));
    QVERIFY(!ReadFileBytes(m_dir->path(), bytes));
    QVERIFY(!ReadFileBytes(Path(QStringLiteral("missing.grp")), bytes));
}

QTEST_GUILESS_MAIN(TestFileIO)
#include "tst_fileio.moc"
