// The batch tool writes its outputs all or none: a target that cannot be
// written is refused before anything is computed or written.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BatchRunner.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <sys/stat.h>

namespace {

QString Example() { return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("two_objectives.mlp")); }

struct OutputsCase {
    const char* label;
    QStringList args;   // "%1/" stands for a fresh folder
    int exitCode;
    QStringList absent; // outputs that must not exist afterwards
    QString message;    // part of standard error ("%1/" as in args)
};
void PrintTo(const OutputsCase& c, std::ostream* os) { *os << c.label; }

class BatchOutputs : public testing::TestWithParam<OutputsCase> {};

TEST_P(BatchOutputs, AreWrittenAllOrNone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("a-directory.txt")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
    const QString root = dir.path() + QLatin1Char('/');
    QStringList args{Example()};
    for (const QString& arg : GetParam().args)
        args << QString(arg).replace(QStringLiteral("%1/"), root);
    const BatchRun run = runBatch(args);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString(GetParam().message).replace(QStringLiteral("%1/"), root))) << run.err.toStdString();
    for (const QString& name : GetParam().absent)
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(name))) << name.toStdString();
    // No temporary is left behind either.
    const QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    EXPECT_EQ(left, (QStringList{QStringLiteral("a-directory.txt"), QStringLiteral("pipe")})) << left.join(' ').toStdString();
}

const QString kWrite = QStringLiteral("--write"), kVlp = QStringLiteral("--write-vlp"),
              kListing = QStringLiteral("--listing"), kExport = QStringLiteral("--export"),
              kPicture = QStringLiteral("--weight-space");

INSTANTIATE_TEST_SUITE_P(
    BadTarget, BatchOutputs,
    testing::Values(
        OutputsCase{"ListingIsAFolder",
                    {kWrite, "%1/w.mlp", kVlp, "%1/w.vlp", kListing, "%1/a-directory.txt"},
                    2, {"w.mlp", "w.vlp"}, "Cannot write %1/a-directory.txt: not a regular file"},
        OutputsCase{"PictureFolderMissing",
                    {"payoff", kExport, "%1/e.out", kPicture, "%1/no-such-dir/ws.png"},
                    2, {"e.out", "no-such-dir"}, "Cannot write %1/no-such-dir/ws.png: the folder does not exist"},
        OutputsCase{"ExportIsAFifo",
                    {kWrite, "%1/w.mlp", "payoff", kExport, "%1/pipe"},
                    2, {"w.mlp"}, "Cannot write %1/pipe: not a regular file"}),
    [](const testing::TestParamInfo<OutputsCase>& info) { return std::string(info.param.label); });

TEST(BatchOutputs, AllAreWrittenWhenAllCanBe)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList names{"w.mlp", "w.vlp", "w.txt", "e.out", "ws.png"};
    const BatchRun run = runBatch({Example(), kWrite, dir.filePath(names[0]), kVlp, dir.filePath(names[1]), kListing,
                                   dir.filePath(names[2]), "payoff", kExport, dir.filePath(names[3]), kPicture,
                                   dir.filePath(names[4])});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"e.out", "w.mlp", "w.txt", "w.vlp", "ws.png"}));
    for (const QString& name : names)
        EXPECT_GT(QFileInfo(dir.filePath(name)).size(), 0) << name.toStdString();
}

} // namespace
