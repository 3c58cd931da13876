#include "UndoCommands.h"

#include <QEvent>
#include <QLineEdit>
#include <QUndoStack>

#include <utility>

#include "TestDataStore.h"

namespace k30 {

BoxEditRecorder::BoxEditRecorder(QUndoStack& stack, std::function<QString()> commandText, QObject* parent)
    : QObject(parent), stack_(stack), commandText_(std::move(commandText))
{
}

void BoxEditRecorder::Watch(QLineEdit* box)
{
    seen_[box] = Seen{box->text(), box->text(), 0};
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, box](const QString& text) {
        Seen& s = seen_[box];
        s.previous = std::exchange(s.current, text);
    });
    connect(box, &QLineEdit::textEdited, this, [this, box](const QString& text) { OnTyped(box, text); });
    connect(box, &QLineEdit::editingFinished, this, [this, box] { ++seen_[box].visit; });
    connect(box, &QObject::destroyed, this, [this, box] { seen_.erase(box); });
}

bool BoxEditRecorder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            ++seen_[box].visit;
    }
    return QObject::eventFilter(watched, event);
}

void BoxEditRecorder::OnTyped(QLineEdit* box, const QString& text)
{
    const Seen& s = seen_[box];
    // Whichever of the box's two signals came first, the text before the keystroke is known.
    const QString before = s.current == text ? s.previous : s.current;
    if (before != text)
        stack_.push(new BoxEditCommand(box, s.visit, before, text, commandText_()));
}

BoxEditCommand::BoxEditCommand(QLineEdit* box, int visit, QString before, QString after, const QString& text)
    : QUndoCommand(text), box_(box), visit_(visit), before_(std::move(before)), after_(std::move(after))
{
}

void BoxEditCommand::undo() { Set(before_); }

void BoxEditCommand::redo() { Set(after_); }

bool BoxEditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const BoxEditCommand*>(other);
    if (next->box_ != box_ || next->visit_ != visit_)
        return false;
    after_ = next->after_;
    return true;
}

void BoxEditCommand::Set(const QString& value)
{
    // The text being typed is already there: setting it again would move the cursor.
    if (box_ && box_->text() != value)
        box_->setText(value);
}

RenameCommand::RenameCommand(TestDataStore& store, std::vector<Change> changes, std::function<void()> refresh,
                             const QString& text)
    : QUndoCommand(text), store_(store), changes_(std::move(changes)), refresh_(std::move(refresh))
{
}

void RenameCommand::undo() { Apply(false); }

void RenameCommand::redo() { Apply(true); }

void RenameCommand::Apply(bool forward)
{
    for (const Change& c : changes_) {
        const std::string& from = forward ? c.before : c.after;
        const std::string& to = forward ? c.after : c.before;
        if (c.index < store_.ValidCount() && store_.K30PointAt(c.index).name == from)
            store_.RenamePoint(c.index, to);
    }
    if (refresh_)
        refresh_();
}

}  // namespace k30
