#pragma once

#include <QSize>

class QMainWindow;
class QTabWidget;
class QWidget;

namespace k30 {

// Where the windows open, kept in the user's preferences: the main window's
// size, position and page, and the print preview's size.

// The stored geometry and page; without a sound stored geometry the window
// covers the screen's available area (it is then shown maximised).
// True when a stored geometry was applied.
bool RestoreMainWindow(QMainWindow& window, QTabWidget& pages);
void SaveMainWindow(const QMainWindow& window, const QTabWidget& pages);

// The print preview's size: the stored one, else a page of A4 as tall as the
// screen allows with room for the preview's toolbar; never larger than the
// screen it opens on.
QSize PreviewSize(const QWidget* parent);
void SavePreviewSize(const QSize& size);

}  // namespace k30
