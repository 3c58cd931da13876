#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>

#include <algorithm>

#include "UserSettings.h"

namespace k30 {

namespace {
const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kPageKey = QStringLiteral("window/page");
const QString kPreviewKey = QStringLiteral("printPreview/size");

QSettings Preferences() { return QSettings(UserPreferencesFile(), QSettings::IniFormat); }

QRect AvailableArea(const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 600);
}
}  // namespace

bool RestoreMainWindow(QMainWindow& window, QTabWidget& pages)
{
    QSettings settings = Preferences();
    const int page = settings.value(kPageKey, 0).toInt();
    if (page >= 0 && page < pages.count())
        pages.setCurrentIndex(page);
    if (window.restoreGeometry(settings.value(kGeometryKey).toByteArray()))
        return true;
    window.setGeometry(AvailableArea(&window));
    return false;
}

void SaveMainWindow(const QMainWindow& window, const QTabWidget& pages)
{
    QSettings settings = Preferences();
    settings.setValue(kGeometryKey, window.saveGeometry());
    settings.setValue(kPageKey, pages.currentIndex());
}

QSize PreviewSize(const QWidget* parent)
{
    const QRect area = AvailableArea(parent);
    QSize size = Preferences().value(kPreviewKey).toSize();
    if (!size.isValid() || size.isEmpty()) {
        // A4 is 210 x 297; the preview adds a toolbar above and a margin round the page.
        const int height = area.height() * 9 / 10;
        size = QSize((height - 80) * 210 / 297 + 60, height);
    }
    return size.boundedTo(area.size()).expandedTo(QSize(320, 240));
}

void SavePreviewSize(const QSize& size) { Preferences().setValue(kPreviewKey, size); }

}  // namespace k30
