#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The application object must outlive every widget the tests create and be
// destroyed before the program's static objects. Offscreen unless the
// environment chose a platform, so that listing the tests needs no display.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Window places and folders go to a test folder, never the person's own.
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("Quilvane"), QStringLiteral("Quilvane")).clear();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
