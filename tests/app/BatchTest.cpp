#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

BatchRun runBatch(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QUILVANE_BATCH_EXE), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

QString example(const char* name) { return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(name)); }

TEST(Batch, WritesEveryExampleBackByteForByte)
{
    QTemporaryDir dir;
    const QStringList names = QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).entryList({QStringLiteral("*.mlp")});
    ASSERT_GE(names.size(), 4);
    for (const QString& name : names) {
        const QString copy = dir.filePath(name);
        const BatchRun run = runBatch({example(name.toLatin1().constData()), QStringLiteral("--write"), copy});
        EXPECT_EQ(run.exitCode, 0) << name.toStdString() << run.err.toStdString();
        // The examples are kept in the program's own layout, so a copy is identical.
        EXPECT_EQ(readAll(copy), readAll(example(name.toLatin1().constData()))) << name.toStdString();
    }
}

TEST(Batch, RefusalsAreInputErrorsOnStandardError)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.mlp"));
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("21\r\n1\r\n1\r\n");
    f.close();

    BatchRun run = runBatch({big});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QString::fromUtf8("Error: Can\u00B4t read this problem. It is too big!")))
        << run.err.toStdString();

    run = runBatch({dir.filePath(QStringLiteral("none.mlp"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Error: File not found")));

    // Actions of later versions are usage errors, never a silent success.
    run = runBatch({example("two_objectives.mlp"), QStringLiteral("payoff")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("payoff")));

    run = runBatch({example("two_objectives.mlp"), QStringLiteral("--write")});
    EXPECT_EQ(run.exitCode, 2);
    run = runBatch({});
    EXPECT_EQ(run.exitCode, 2);
    run = runBatch({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("usage: quilvane-batch")));
}

TEST(Batch, AFailedWriteKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const BatchRun run = runBatch({example("two_objectives.mlp"), QStringLiteral("--write"),
                              dir.filePath(QStringLiteral("no/such/folder/x.mlp"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Error: Cannot write"))) << run.err.toStdString();
}

} // namespace
