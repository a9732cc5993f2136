#include "flow/Messages.h"
#include "workspace/Workspace.h"
#include "flow/ui/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

#include <cstring>
#include <memory>

namespace {

void describeCommandLine(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QString::fromUtf8(msg::kProductLongTitle));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A problem to open: a .mlp file, an MPS file (.mps, .txt) "
                                                "or a vector linear program (.vlp)."),
                                 QStringLiteral("[FILE]"));
}

bool asksForTextOnly(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--version") == 0 ||
            std::strcmp(arg, "-v") == 0 || std::strcmp(arg, "--help-all") == 0)
            return true;
    }
    return false;
}

// Opens `path` as the File menu would, the reader chosen by the extension
// as the menu's Open, Open MPS and Open VLP commands offer them.
void openGivenFile(Session& flow, const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("vlp"))
        flow.file().openVlpFile(absolute);
    else if (suffix == QLatin1String("mps") || suffix == QLatin1String("txt"))
        flow.file().openMpsFile(absolute);
    else
        flow.file().openProblemFile(absolute);
}

void setApplicationNames()
{
    QCoreApplication::setApplicationName(QString::fromUtf8(msg::kProductName));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILVANE_VERSION_TEXT));
}

} // namespace

int main(int argc, char** argv)
{
    // --help and --version need no display: they are answered before the
    // window system is opened.
    if (asksForTextOnly(argc, argv)) {
        QCoreApplication app(argc, argv);
        setApplicationNames();
        QCommandLineParser parser;
        describeCommandLine(parser);
        parser.process(app);
        return 0;
    }

    QApplication app(argc, argv);
    setApplicationNames();
    // No display name: the platform would add it to every caption, and the
    // main window's caption already starts with the program's name.
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(app);
    // "." is the decimal separator of every number the program shows or reads.
    QLocale::setDefault(QLocale::c());

    auto workspace = std::make_unique<Workspace>();
    MainWindow window(*workspace);
    window.show();
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        // Once the window is up, so that a refusal's box has it as its parent.
        const QString path = files.front();
        QTimer::singleShot(0, &window, [&window, path] { openGivenFile(window.flow(), path); });
    }
    return app.exec();
}
