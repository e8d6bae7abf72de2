#pragma once
// The main window's place and size, kept per user in section "Settings" under the keys MainLeft,
// MainTop, MainWidth and MainHeight, in twips as the window's own units (15 twips a pixel).

class QWidget;

namespace r605 {

// Defaults: the top left corner and the whole screen. A stored place that lies off every screen
// (a monitor since removed) is moved back onto the primary one.
void restoreWindowPlacement(QWidget& window);
// Not while the window is minimized: its place then says nothing about where the user wants it.
void saveWindowPlacement(const QWidget& window);

} // namespace r605
