#pragma once

#include <QObject>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

class QSettings;
class QWidget;

// The program's settings: window places and the last folder used. Tests
// run with QStandardPaths' test mode, so they never touch the person's own.
std::unique_ptr<QSettings> OpenSettings();

// Opens the program's windows where they can be seen and remembers their
// places between runs. A view opens where it was last time, moved onto the
// screen if the screen changed; the first time it opens beside the main
// window. Once placed it is left alone, so a view that a method hides and
// shows again comes back where the person put it.
class WindowKeeper : public QObject {
public:
    explicit WindowKeeper(QWidget* mainWindow);
    ~WindowKeeper() override;

    // `key` names the window in the settings; it must be stable. A window
    // whose size follows the problem keeps only its place.
    enum class Remember { PlaceAndSize, PlaceOnly };
    void manage(QWidget* window, const QString& key, Remember what = Remember::PlaceAndSize);
    // The main window's remembered place, or `preferred` at the left of the
    // screen; always inside the screen.
    void placeMainWindow(QSize preferred);
    // Moves every view already shown back onto the screen where it left it.
    void keepViewsOnScreen();
    // Closes every view: the program ends with its main window.
    void closeAll();
    // Stores the places of the main window and of every view that was shown.
    void saveAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Managed {
        QWidget* window;
        QString key;
        Remember what;
        bool placed;
    };
    void place(Managed& entry);
    void save(const Managed& entry, QSettings& settings) const;
    static void save(QWidget* window, const QString& key, QSettings& settings);
    static bool restore(QWidget* window, const QString& key, Remember what);

    QWidget* main_;
    std::vector<Managed> windows_;
    int slots_ = 0;
};
