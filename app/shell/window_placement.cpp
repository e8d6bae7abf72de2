#include "shell/window_placement.h"

#include "schema/grid_layout.h"
#include "shell/user_settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace r605 {

void restoreWindowPlacement(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available =
        screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const auto settings = userSettings();
    settings->beginGroup("Settings");
    const auto twips = [&](const char* key, int pixels) {
        return settings->value(key, pixels * kTwipsPerPixel).toInt() / kTwipsPerPixel;
    };
    QRect placement(twips("MainLeft", 0), twips("MainTop", 0),
                    twips("MainWidth", available.width()), twips("MainHeight", available.height()));
    settings->endGroup();
    placement.setWidth(std::clamp(placement.width(), 200, available.width()));
    placement.setHeight(std::clamp(placement.height(), 150, available.height()));
    const bool onAScreen = QGuiApplication::screenAt(placement.center()) != nullptr;
    if (!onAScreen)
        placement.moveTopLeft(available.topLeft());
    window.resize(placement.size());
    window.move(placement.topLeft());
}

void saveWindowPlacement(const QWidget& window) {
    if (window.isMinimized())
        return;
    const QRect placement = window.geometry();
    const auto settings = userSettings();
    settings->beginGroup("Settings");
    settings->setValue("MainLeft", window.x() * kTwipsPerPixel);
    settings->setValue("MainTop", window.y() * kTwipsPerPixel);
    settings->setValue("MainWidth", placement.width() * kTwipsPerPixel);
    settings->setValue("MainHeight", placement.height() * kTwipsPerPixel);
    settings->endGroup();
}

} // namespace r605
