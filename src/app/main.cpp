#include "flow/Messages.h"
#include "workspace/Workspace.h"
#include "flow/ui/MainWindow.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(msg::kProductName));
    // No display name: the platform would add it to every caption, and the
    // main window's caption already starts with the program's name.
    // "." is the decimal separator of every number the program shows or reads.
    QLocale::setDefault(QLocale::c());

    auto workspace = std::make_unique<Workspace>();
    MainWindow window(*workspace);
    window.show();
    return app.exec();
}
