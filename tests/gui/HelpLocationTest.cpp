#include "help/ui/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The help page is read from the start folder, else beside the program (a
// build folder), else from ../share/quilvane (an installed program).

namespace {

struct HelpCase {
    const char* name;
    QStringList pages; // the pages that exist, relative to the temporary root
    const char* found; // where LocateHelpPage finds it
};

TEST(HelpLocation, StartFolderThenProgramFolderThenShare)
{
    const HelpCase cases[] = {
        {"start folder first", {"start/Help2.htm", "usr/bin/Help2.htm", "usr/share/quilvane/Help2.htm"}, "start/Help2.htm"},
        {"build folder", {"usr/bin/Help2.htm", "usr/share/quilvane/Help2.htm"}, "usr/bin/Help2.htm"},
        {"installed", {"usr/share/quilvane/Help2.htm"}, "usr/share/quilvane/Help2.htm"},
        {"nowhere", {}, "start/Help2.htm"},
    };
    for (const HelpCase& c : cases) {
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const QString& page : c.pages) {
            ASSERT_TRUE(dir.mkpath(QFileInfo(page).path()));
            QFile file(dir.filePath(page));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        const QString found = LocateHelpPage(dir.filePath(QStringLiteral("start/Help2.htm")),
                                             dir.filePath(QStringLiteral("usr/bin")));
        EXPECT_EQ(found, dir.filePath(QLatin1String(c.found))) << c.name;
    }
}

} // namespace
