#include "flow/ui/WindowKeeper.h"

#include "flow/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace {

const QString kPlace = QStringLiteral("place/");
const QString kSize = QStringLiteral("size/");
// The main window still shows its button row whole; a view still shows its
// drawing, scaled down.
constexpr int kMainMinimumWidth = 760;
constexpr int kViewMinimumWidth = 400;

QRect AvailableFor(const QWidget* window, const QWidget* fallback)
{
    QScreen* screen = window->screen();
    if (!screen && fallback)
        screen = fallback->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
}

// restoreGeometry() trusts the saved place; a smaller or other screen may
// have left it partly out of sight.
void KeepOnScreen(QWidget* window, const QWidget* anchor)
{
    const QRect inside = KeepInside(window->frameGeometry(), AvailableFor(window, anchor));
    if (inside.size() != window->frameGeometry().size())
        window->resize(window->size() - (window->frameGeometry().size() - inside.size()));
    window->move(inside.topLeft());
}

} // namespace

std::unique_ptr<QSettings> OpenSettings()
{
    return std::make_unique<QSettings>(QStringLiteral("Quilvane"), QStringLiteral("Quilvane"));
}

WindowKeeper::WindowKeeper(QWidget* mainWindow) : QObject(mainWindow), main_(mainWindow) {}

WindowKeeper::~WindowKeeper() = default;

void WindowKeeper::manage(QWidget* window, const QString& key, Remember what)
{
    windows_.push_back({window, key, what, false});
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this, window] {
        windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                      [window](const Managed& m) { return m.window == window; }),
                       windows_.end());
    });
}

void WindowKeeper::placeMainWindow(QSize preferred)
{
    if (restore(main_, QStringLiteral("main"), Remember::PlaceAndSize)) {
        KeepOnScreen(main_, nullptr);
        return;
    }
    const QRect place = FirstMainWindowPlace(preferred, AvailableFor(main_, nullptr), kMainMinimumWidth);
    main_->resize(place.size());
    main_->move(place.topLeft());
}

void WindowKeeper::place(Managed& entry)
{
    entry.placed = true;
    QWidget* w = entry.window;
    if (restore(w, entry.key, entry.what)) {
        KeepOnScreen(w, main_);
        return;
    }
    // A window never shown has no frame yet: give it the main window's, and
    // set its inside, which the window manager keeps as given.
    const QPoint frameTopLeft = main_->geometry().topLeft() - main_->frameGeometry().topLeft();
    const QSize frameExtra = main_->frameGeometry().size() - main_->geometry().size();
    const QRect available = AvailableFor(main_, nullptr);
    const int narrowest = std::max(w->minimumSizeHint().width(), kViewMinimumWidth) + frameExtra.width();
    const QRect frame =
        PlaceBeside(main_->frameGeometry(), w->size() + frameExtra, available, slots_++, narrowest);
    w->setGeometry(QRect(frame.topLeft() + frameTopLeft, frame.size() - frameExtra));
}

// The frame's place and the inside's size: what move() and resize() take
// back before the window is shown, the same way on every platform.
bool WindowKeeper::restore(QWidget* window, const QString& key, Remember what)
{
    const auto settings = OpenSettings();
    const QVariant place = settings->value(kPlace + key);
    if (!place.isValid())
        return false;
    if (what == Remember::PlaceAndSize) {
        const QSize size = settings->value(kSize + key).toSize();
        if (size.isValid())
            window->resize(size.expandedTo(window->minimumSize()));
    }
    window->move(place.toPoint());
    return true;
}

void WindowKeeper::save(QWidget* window, const QString& key, QSettings& settings)
{
    settings.setValue(kPlace + key, window->pos());
    settings.setValue(kSize + key, window->size());
}

void WindowKeeper::save(const Managed& entry, QSettings& settings) const
{
    if (entry.placed)
        save(entry.window, entry.key, settings);
}

void WindowKeeper::keepViewsOnScreen()
{
    for (const Managed& entry : windows_)
        if (entry.placed && entry.window->isVisible())
            KeepOnScreen(entry.window, main_);
}

void WindowKeeper::closeAll()
{
    for (const Managed& entry : windows_)
        entry.window->close();
}

void WindowKeeper::saveAll()
{
    const auto settings = OpenSettings();
    save(main_, QStringLiteral("main"), *settings);
    for (const Managed& entry : windows_)
        save(entry, *settings);
}

bool WindowKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        for (Managed& entry : windows_) {
            if (entry.window != watched)
                continue;
            if (event->type() == QEvent::Show) {
                if (!entry.placed)
                    place(entry);
            } else {
                save(entry, *OpenSettings());
            }
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
