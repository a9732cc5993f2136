// The one writer and the one reader of whole files: a save that fails at any
// step keeps the old file byte for byte and says why; a read takes only a
// regular file of bounded size and never waits for data.

#include "FullFileSystem.h"

#include "base/TextFileFormat.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include <sys/stat.h>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString SystemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Text of a given size that shows where a cut or a mix-up happened.
QByteArray Numbered(int size)
{
    QByteArray bytes;
    for (int i = 0; bytes.size() < size; ++i)
        bytes += QByteArray::number(i) + "\r\n";
    bytes.truncate(size);
    return bytes;
}

// ------------------------------------------------------- the write hook

struct Fault {
    WriteStep step;
    int occurrence; // 1 = the first time the step comes
    int error;
};
Fault g_fault{};
int g_seen = 0;

int FailAsPlanned(WriteStep step)
{
    if (step != g_fault.step)
        return 0;
    return ++g_seen == g_fault.occurrence ? g_fault.error : 0;
}

// Sets the hook for one test and always takes it away again.
class HookedWrites {
public:
    explicit HookedWrites(Fault fault)
    {
        g_fault = fault;
        g_seen = 0;
        SetWriteFaultHook(FailAsPlanned);
    }
    ~HookedWrites() { SetWriteFaultHook(nullptr); }
    HookedWrites(const HookedWrites&) = delete;
    HookedWrites& operator=(const HookedWrites&) = delete;
};

struct FaultCase {
    const char* label;
    Fault fault;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.label; }

class FailedSave : public testing::TestWithParam<FaultCase> {};

TEST_P(FailedSave, KeepsTheOldFileAndGivesTheSystemsReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.txt"));
    const QByteArray old = Numbered(5000);
    QString error;
    ASSERT_TRUE(WriteWholeFile(path, old, error)) << error.toStdString();

    // Three blocks, so that a write fails after others went through.
    const QByteArray replacement = Numbered(int(2 * kWriteBlockBytes + 100));
    {
        HookedWrites hook(GetParam().fault);
        EXPECT_FALSE(WriteWholeFile(path, replacement, error));
        EXPECT_EQ(g_seen, GetParam().fault.occurrence) << "the step did not come as often as planned";
    }
    EXPECT_EQ(error, SystemText(GetParam().fault.error));
    EXPECT_EQ(Contents(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("saved.txt")})
        << "a temporary file was left behind";

    // Nothing sticks: the next save, without the fault, goes through.
    ASSERT_TRUE(WriteWholeFile(path, replacement, error)) << error.toStdString();
    EXPECT_EQ(Contents(path), replacement);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, FailedSave,
    testing::Values(FaultCase{"Open", {WriteStep::Open, 1, EACCES}},
                    FaultCase{"FirstBlock", {WriteStep::Write, 1, ENOSPC}},
                    FaultCase{"LastBlock", {WriteStep::Write, 3, ENOSPC}},
                    FaultCase{"Flush", {WriteStep::Flush, 1, ENOSPC}},
                    FaultCase{"Commit", {WriteStep::Commit, 1, EIO}}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.label); });

// -------------------------------------------- a file system that is full

struct FullCase {
    const char* label;
    int size; // below and above the 16 KiB that a buffered write keeps back
};
void PrintTo(const FullCase& c, std::ostream* os) { *os << c.label; }

class SaveOnAFullDisk : public testing::TestWithParam<FullCase> {};

TEST_P(SaveOnAFullDisk, FailsWithNoSpaceLeftAndKeepsTheOldFile)
{
    FullFileSystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.why().toStdString();
    const QByteArray old = Numbered(3000);
    ASSERT_TRUE(disk.put("old.txt", old));
    ASSERT_TRUE(disk.fill());

    QString error;
    EXPECT_FALSE(WriteWholeFile(disk.path("old.txt"), Numbered(GetParam().size), error));
    EXPECT_EQ(error, SystemText(ENOSPC));
    EXPECT_EQ(Contents(disk.path("old.txt")), old);
    EXPECT_EQ(disk.entries(), (QStringList{QStringLiteral("filler"), QStringLiteral("old.txt")}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, SaveOnAFullDisk,
                         testing::Values(FullCase{"Small", 100}, FullCase{"Large", 200000}),
                         [](const testing::TestParamInfo<FullCase>& info) { return std::string(info.param.label); });

// ------------------------------------------ what a save must not replace

// A FIFO stands for every special file here: a device would do as well, but
// a broken writer must not be able to replace one of the machine's.
TEST(SaveTarget, AFifoOrAFolderIsNotReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, dir.path()}) {
        QString error;
        EXPECT_FALSE(WriteWholeFile(path, "x", error)) << path.toStdString();
        EXPECT_EQ(error, QStringLiteral("not a regular file")) << path.toStdString();
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_TRUE(QFileInfo(fifo).exists());
}

// ------------------------------------------------------------- reading

struct ReadCase {
    const char* label;
    const char* path; // "pipe", "big" and "exact" are made in the test's folder
    FileReadStatus status;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.label; }

class WholeFileRead : public testing::TestWithParam<ReadCase> {};

constexpr qint64 kLimit = 1000;

TEST_P(WholeFileRead, TakesOnlyARegularFileWithinTheLimit)
{
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
    QString error;
    ASSERT_TRUE(WriteWholeFile(dir.filePath(QStringLiteral("exact")), Numbered(int(kLimit)), error));
    ASSERT_TRUE(WriteWholeFile(dir.filePath(QStringLiteral("big")), Numbered(int(kLimit + 1)), error));

    const QString name = QString::fromLatin1(GetParam().path);
    const QString path = name.startsWith(QLatin1Char('/')) ? name : dir.filePath(name);
    QByteArray bytes("untouched");
    const FileReadResult read = ReadWholeFile(path, kLimit, bytes);
    EXPECT_EQ(read.status, GetParam().status);
    if (read.status == FileReadStatus::Ok) {
        EXPECT_EQ(bytes, Numbered(int(kLimit)));
    } else {
        EXPECT_EQ(bytes, QByteArray("untouched"));
        EXPECT_FALSE(read.reason.isEmpty());
    }
    if (read.status == FileReadStatus::TooLarge) {
        EXPECT_EQ(read.size, kLimit + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WholeFileRead,
    testing::Values(ReadCase{"AtTheLimit", "exact", FileReadStatus::Ok},
                    ReadCase{"OneByteOver", "big", FileReadStatus::TooLarge},
                    ReadCase{"FifoWithoutWriter", "pipe", FileReadStatus::NotRegularFile},
                    ReadCase{"EndlessDevice", "/dev/zero", FileReadStatus::NotRegularFile},
                    ReadCase{"Folder", "/", FileReadStatus::NotRegularFile},
                    ReadCase{"Missing", "none", FileReadStatus::CannotOpen}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.label); });

// A file that says it is empty but is not (as those of /proc) is still
// bounded by what is read, not by what it says.
TEST(WholeFileRead, ASizeOfZeroDoesNotLiftTheLimit)
{
    QByteArray bytes;
    const FileReadResult read = ReadWholeFile(QStringLiteral("/proc/self/maps"), 10, bytes);
    EXPECT_EQ(read.status, FileReadStatus::TooLarge);
    EXPECT_EQ(read.size, 11);
}

TEST(CanOpenForReading, AFifoWithoutWriterDoesNotBlock)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(CanOpenForReading(fifo));
    EXPECT_FALSE(CanOpenForReading(dir.filePath(QStringLiteral("none"))));
    EXPECT_FALSE(CanOpenForReading(dir.path()));
    EXPECT_FALSE(CanOpenForReading(QString()));
}

} // namespace
