#pragma once

#include <QCoreApplication>
#include <QGuiApplication>

// The application object that drawing tests need, created on first use and
// never destroyed: tearing Qt down from static destructors at exit crashes
// more often than not. Offscreen unless the environment chose a platform.
inline QGuiApplication* GuiApp()
{
    static QGuiApplication* app = []() -> QGuiApplication* {
        if (QCoreApplication::instance())
            return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quilvane_tests";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    return app;
}
