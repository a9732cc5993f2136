#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// One run of quilvane-batch: its exit status and what it printed.
struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline BatchRun runBatch(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QUILVANE_BATCH_EXE), args);
    EXPECT_TRUE(process.waitForFinished(60000)) << "the batch tool did not finish";
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
