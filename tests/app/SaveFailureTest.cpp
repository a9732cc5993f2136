// The batch tool on a file system that is full: every save exits 2 with the
// system's reason and keeps the old file byte for byte. Inputs that would
// block are refused at once.

#include "../base/FullFileSystem.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BatchRunner.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <sys/stat.h>

namespace {

QString Example() { return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("two_objectives.mlp")); }

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct SaveCase {
    const char* label;
    const char* file;
    QStringList options; // "%1" stands for the file
};
void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.label; }

class SaveOnAFullDisk : public testing::TestWithParam<SaveCase> {};

TEST_P(SaveOnAFullDisk, ExitsWithTheReasonAndKeepsTheOldFile)
{
    FullFileSystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.why().toStdString();
    const QByteArray old("the previous file\r\nstays as it was\r\n");
    ASSERT_TRUE(disk.put(GetParam().file, old));
    ASSERT_TRUE(disk.fill());

    QStringList args{Example()};
    for (const QString& option : GetParam().options)
        args << option.arg(disk.path(GetParam().file));
    const BatchRun run = runBatch(args);
    EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Cannot write %1: No space left on device").arg(disk.path(GetParam().file))))
        << run.err.toStdString();
    EXPECT_EQ(Contents(disk.path(GetParam().file)), old);
    EXPECT_EQ(disk.entries(), (QStringList{QStringLiteral("filler"), QString::fromLatin1(GetParam().file)}));
}

INSTANTIATE_TEST_SUITE_P(
    EverySave, SaveOnAFullDisk,
    testing::Values(SaveCase{"Problem", "old.mlp", {QStringLiteral("--write"), QStringLiteral("%1")}},
                    SaveCase{"Listing", "old.txt", {QStringLiteral("--listing"), QStringLiteral("%1")}},
                    SaveCase{"Results", "old.out", {QStringLiteral("--export"), QStringLiteral("%1"), QStringLiteral("payoff")}}),
    [](const testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.label); });

// A FIFO without a writer would block a reader for ever: refused as what it
// is, as a problem and as a results file.
TEST(BatchInput, AFifoIsRefusedAtOnce)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    BatchRun run = runBatch({fifo});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Input error: %1 is not a regular file.").arg(fifo))) << run.err.toStdString();
    run = runBatch({Example(), QStringLiteral("--import"), fifo});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Cannot open %1: not a regular file").arg(fifo))) << run.err.toStdString();
}

} // namespace
