// quilvane-batch: the command-line companion of Quilvane. It reads a problem
// and runs actions on the same core as the GUI.

#include "problem/ProblemFile.h"
#include "workspace/Messages.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: quilvane-batch [OPTIONS] PROBLEM [ACTION ...]\n"
    "  PROBLEM            a .mlp problem file\n"
    "  --write FILE       write the problem back as a .mlp file after reading it\n"
    "ACTIONS are run in order; none is available in this build yet.\n";

void printError(const QString& kind, const QString& text)
{
    std::fprintf(stderr, "%s: %s\n", kind.toLocal8Bit().constData(), text.toLocal8Bit().constData());
}

int usageError(const QString& text)
{
    printError(QStringLiteral("Error"), text);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

struct Options {
    QString problemPath;
    QString writePath;
    QStringList actions;
};

// Returns an error text, empty when the arguments are fine.
QString parseArguments(const QStringList& args, Options& options)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--write")) {
            if (i + 1 >= args.size())
                return QStringLiteral("--write needs a file name");
            options.writePath = args[++i];
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            return QStringLiteral("help");
        } else if (arg.startsWith(QLatin1String("--"))) {
            return QStringLiteral("the option %1 is not available in this build").arg(arg);
        } else if (options.problemPath.isEmpty()) {
            options.problemPath = arg;
        } else {
            options.actions << arg;
        }
    }
    if (options.problemPath.isEmpty())
        return QStringLiteral("no problem file given");
    if (!options.actions.isEmpty())
        return QStringLiteral("the action %1 is not available in this build").arg(options.actions.first());
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    const QString error = parseArguments(app.arguments(), options);
    if (error == QLatin1String("help")) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (!error.isEmpty())
        return usageError(error);

    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    if (!ProblemFileExists(options.problemPath)) {
        printError(QStringLiteral("Error"), QString::fromUtf8(msg::kFileNotFound));
        return kExitUsage;
    }
    ProblemData problem = *ws;
    const ProblemReadResult read = ReadProblemFile(options.problemPath, problem);
    if (read.status == ProblemReadStatus::TooBig) {
        printError(QStringLiteral("Error"), QString::fromUtf8(msg::kTooBig));
        return kExitUsage;
    }
    if (read.status != ProblemReadStatus::Ok) {
        printError(QStringLiteral("Error"), read.message);
        return kExitUsage;
    }
    static_cast<ProblemData&>(*ws) = problem;
    ws->fileName = options.problemPath;
    ResetComputedState(*ws);

    if (!options.writePath.isEmpty()) {
        const ProblemWriteResult written = WriteProblemFile(options.writePath, *ws);
        if (!written.ok) {
            printError(QStringLiteral("Error"), written.message);
            return kExitUsage;
        }
    }
    return kExitOk;
}
