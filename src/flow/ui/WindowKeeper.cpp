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

const QString kGeometry = QStringLiteral("geometry/");
const QString kPlace = QStringLiteral("place/");

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
    const auto settings = OpenSettings();
    const QByteArray saved = settings->value(kGeometry + QStringLiteral("main")).toByteArray();
    if (!saved.isEmpty() && main_->restoreGeometry(saved)) {
        KeepOnScreen(main_, nullptr);
        return;
    }
    const QRect place = FirstMainWindowPlace(preferred, AvailableFor(main_, nullptr));
    main_->resize(place.size());
    main_->move(place.topLeft());
}

void WindowKeeper::place(Managed& entry)
{
    entry.placed = true;
    QWidget* w = entry.window;
    const auto settings = OpenSettings();
    if (entry.what == Remember::PlaceOnly) {
        const QVariant place = settings->value(kPlace + entry.key);
        if (place.isValid()) {
            w->move(place.toPoint());
            KeepOnScreen(w, main_);
            return;
        }
    } else {
        const QByteArray saved = settings->value(kGeometry + entry.key).toByteArray();
        if (!saved.isEmpty() && w->restoreGeometry(saved)) {
            KeepOnScreen(w, main_);
            return;
        }
    }
    const QRect available = AvailableFor(main_, nullptr);
    const QRect frame = PlaceBeside(main_->frameGeometry(), w->frameGeometry().size(), available, slots_++);
    w->resize(w->size().boundedTo(frame.size()));
    w->move(frame.topLeft());
}

void WindowKeeper::save(const Managed& entry, QSettings& settings) const
{
    if (!entry.placed)
        return;
    if (entry.what == Remember::PlaceOnly)
        settings.setValue(kPlace + entry.key, entry.window->pos());
    else
        settings.setValue(kGeometry + entry.key, entry.window->saveGeometry());
}

void WindowKeeper::keepViewsOnScreen()
{
    for (const Managed& entry : windows_)
        if (entry.placed && entry.window->isVisible())
            KeepOnScreen(entry.window, main_);
}

void WindowKeeper::saveAll()
{
    const auto settings = OpenSettings();
    settings->setValue(kGeometry + QStringLiteral("main"), main_->saveGeometry());
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
