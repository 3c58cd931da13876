#pragma once

#include <QObject>
#include <QString>

#include "Language.h"

class QLabel;
class QMainWindow;
class QTimer;

namespace k30 {

class TestDataStore;

// The status bar's feedback: a message saying what just happened (saved
// where, exported where, how many points were accepted, where the transfer
// was archived), and a permanent field with where the points come from and
// how many there are. The field follows every change of the window's title,
// which every command that replaces the points makes.
class StatusFeedback : public QObject {
    Q_OBJECT
public:
    // message: the status bar's text pane, which says "Ready" when there is no news.
    StatusFeedback(QMainWindow& window, const TestDataStore& store, QLabel* message);

    // Shows a message for a while; the next one replaces it.
    void Say(const QString& message);
    // The points come from this file (opened or saved last).
    void SetFile(const QString& path);
    // The points come from no file: received or typed (the text names them).
    void SetOrigin(const Text& origin);
    // Rewrites the field in the language of now with the store's counts, and
    // the text pane when it says "Ready".
    void Refresh();

    QLabel* Field() const { return field_; }
    QString Message() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow& window_;
    const TestDataStore& store_;
    QLabel* message_;
    QTimer* expiry_;
    QLabel* field_;
    QString file_;
    const Text* origin_;
};

}  // namespace k30
