#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUndoCommand>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QLineEdit;
class QUndoStack;

namespace k30 {

class TestDataStore;

// What the window's one undo stack holds. A command restores content only:
// whether the data count as saved follows from what they hold.

// Watches boxes and records what is typed into them. The keystrokes of one
// visit to a box (until it loses the focus or Return is pressed) make one
// command; texts the program writes into a box are not recorded.
class BoxEditRecorder : public QObject {
    Q_OBJECT
public:
    // commandText: what undo will name, in the language of the edit.
    BoxEditRecorder(QUndoStack& stack, std::function<QString()> commandText, QObject* parent = nullptr);

    void Watch(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Seen {
        QString current;   // the box's text as last changed
        QString previous;  // before that change
        int visit = 0;
    };
    void OnTyped(QLineEdit* box, const QString& text);

    QUndoStack& stack_;
    std::function<QString()> commandText_;
    std::map<QLineEdit*, Seen> seen_;
};

// One box's text from before to after; typing in one visit merges.
class BoxEditCommand : public QUndoCommand {
public:
    BoxEditCommand(QLineEdit* box, int visit, QString before, QString after, const QString& text);
    void undo() override;
    void redo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void Set(const QString& value);

    QPointer<QLineEdit> box_;
    int visit_;
    QString before_;
    QString after_;
};

// Renames of the store's K30 points. A point is renamed back only while it
// still carries the name it was given (the points may have been replaced).
class RenameCommand : public QUndoCommand {
public:
    struct Change {
        std::size_t index;
        std::string before;
        std::string after;
    };
    RenameCommand(TestDataStore& store, std::vector<Change> changes, std::function<void()> refresh,
                  const QString& text);
    void undo() override;
    void redo() override;

private:
    void Apply(bool forward);

    TestDataStore& store_;
    std::vector<Change> changes_;
    std::function<void()> refresh_;
};

}  // namespace k30
