#pragma once

#include <QString>

#include <vector>

// What quilvane-batch writes: reports and tables on standard output, the
// boxes of the window on standard error as "KIND: text".
namespace batch {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// A block of standard output followed by a blank line.
void printBlock(const QString& block);
// "Kind: message" on standard error, after everything printed so far.
void printMessage(const QString& kind, const QString& message);
void printError(const QString& message);

// Every message printed on standard error so far, in order: the JSON
// document repeats them.
struct PrintedMessage {
    QString kind;
    QString text;
};
const std::vector<PrintedMessage>& printedMessages();

} // namespace batch
