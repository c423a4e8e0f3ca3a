#include "app/WindowPlacement.h"

#include "app/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// How much of a saved place must lie on a screen for the window to be found and moved there.
constexpr int GrabWidth = 100;
constexpr int GrabHeight = 40;

QRect savedPlace() {
    if (!Settings::contains(SettingKeys::WindowWidth) ||
        !Settings::contains(SettingKeys::WindowHeight))
        return {};
    return QRect(Settings::integer(SettingKeys::WindowLeft, 0),
                 Settings::integer(SettingKeys::WindowTop, 0),
                 Settings::integer(SettingKeys::WindowWidth, 0),
                 Settings::integer(SettingKeys::WindowHeight, 0));
}

} // namespace

namespace WindowPlacement {

QRect fitted(const QRect& saved, const QRect& available, const QSize& minimum) {
    if (!saved.isValid() || !available.isValid())
        return {};
    const QRect onScreen = saved.intersected(available);
    if (onScreen.width() < std::min(GrabWidth, saved.width()) ||
        onScreen.height() < std::min(GrabHeight, saved.height()))
        return {};
    QRect place(
        saved.topLeft(),
        saved.size().boundedTo(available.size()).expandedTo(minimum.boundedTo(available.size())));
    // Moved in from the right and the bottom first, so that the top left stays on screen.
    place.moveRight(std::min(place.right(), available.right()));
    place.moveBottom(std::min(place.bottom(), available.bottom()));
    place.moveLeft(std::max(place.left(), available.left()));
    place.moveTop(std::max(place.top(), available.top()));
    return place;
}

QRect firstPlace(const QRect& available, const QSize& minimum) {
    const QSize room(available.width() * 9 / 10, available.height() * 9 / 10);
    const QSize size = FirstSize.boundedTo(room).expandedTo(minimum);
    QRect place(QPoint(), size);
    place.moveCenter(available.center());
    return place;
}

void restore(QWidget* window) {
    const QRect saved = savedPlace();
    const QSize minimum = window->minimumSize();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect place = fitted(saved, screen->availableGeometry(), minimum);
        if (place.isValid()) {
            window->setGeometry(place);
            if (Settings::integer(SettingKeys::WindowMaximized, 0) == 1)
                window->setWindowState(window->windowState() | Qt::WindowMaximized);
            return;
        }
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->setGeometry(firstPlace(screen->availableGeometry(), minimum));
}

void save(const QWidget* window) {
    const QRect place = window->normalGeometry();
    if (!place.isValid())
        return;
    Settings::setInteger(SettingKeys::WindowLeft, place.left());
    Settings::setInteger(SettingKeys::WindowTop, place.top());
    Settings::setInteger(SettingKeys::WindowWidth, place.width());
    Settings::setInteger(SettingKeys::WindowHeight, place.height());
    Settings::setFlag(SettingKeys::WindowMaximized, window->isMaximized());
}

} // namespace WindowPlacement
