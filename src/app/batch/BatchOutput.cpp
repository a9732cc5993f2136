#include "app/batch/BatchOutput.h"

#include <cstdio>

namespace batch {

namespace {

std::vector<PrintedMessage>& messageLog()
{
    static std::vector<PrintedMessage> log;
    return log;
}

void printLine(std::FILE* stream, const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

} // namespace

void printBlock(const QString& block)
{
    printLine(stdout, block);
    printLine(stdout, QString());
    std::fflush(stdout);
}

void printMessage(const QString& kind, const QString& message)
{
    // Keep the two streams in order when both go to the same terminal.
    std::fflush(stdout);
    printLine(stderr, kind + QStringLiteral(": ") + message);
    std::fflush(stderr);
    messageLog().push_back({kind, message});
}

void printError(const QString& message) { printMessage(QStringLiteral("Error"), message); }

const std::vector<PrintedMessage>& printedMessages() { return messageLog(); }

} // namespace batch
