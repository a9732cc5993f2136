// Saves in an OutputBatch land together at its commit, or not at all.

#include "base/OutputBatch.h"
#include "base/TextFileFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList Entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

TEST(OutputBatch, RenamesEveryFileOnlyAtTheCommit)
{
    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(WriteWholeFile(dir.filePath("b.txt"), "old", error));
    OutputBatch batch;
    ASSERT_TRUE(WriteWholeFile(dir.filePath("a.txt"), "new a", error)) << error.toStdString();
    ASSERT_TRUE(WriteWholeFile(dir.filePath("b.txt"), "new b", error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("a.txt")));
    QString failed;
    ASSERT_TRUE(batch.commit(failed, error)) << error.toStdString();
    QFile b(dir.filePath("b.txt"));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), "new b");
    EXPECT_EQ(Entries(dir), (QStringList{"a.txt", "b.txt"}));
    // Closed by its commit: the next save lands at once.
    ASSERT_TRUE(WriteWholeFile(dir.filePath("c.txt"), "c", error));
    EXPECT_TRUE(QFile::exists(dir.filePath("c.txt")));
}

TEST(OutputBatch, DroppedAfterAFailureLeavesNoNewFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    QString error;
    {
        OutputBatch batch;
        ASSERT_TRUE(WriteWholeFile(dir.filePath("a.txt"), "a", error));
        EXPECT_FALSE(WriteWholeFile(dir.filePath("folder"), "b", error));
    }
    EXPECT_EQ(Entries(dir), QStringList{"folder"});
}

} // namespace
