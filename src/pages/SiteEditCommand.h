#pragma once

#include <QString>
#include <QUndoCommand>

#include <functional>
#include <vector>

#include "SiteTypes.h"

namespace k30::site {
class SiteDatabase;
}

namespace k30 {

// One edit of the engineer's fields of some points, undoable: redo writes the
// edit and keeps what the fields were, undo puts those back. A redo that the
// database refuses marks the command obsolete, so a stack drops it, as does
// an undo or redo after the database was opened again (it may be another one
// now). Self-contained: it lives on the window's one stack.
class SiteEditCommand : public QUndoCommand {
public:
    // changed: called after every redo and undo that reached the database.
    SiteEditCommand(site::SiteDatabase& db, std::vector<qint64> ids, site::PointEdit edit, const QString& text,
                    std::function<void()> changed);

    void redo() override;
    void undo() override;

    bool Failed() const { return failed_; }
    QString Error() const { return error_; }

private:
    bool SameConnection();

    site::SiteDatabase& db_;
    QString connection_;
    std::vector<qint64> ids_;
    site::PointEdit edit_;
    std::vector<site::PointFields> previous_;
    std::function<void()> changed_;
    bool failed_ = false;
    QString error_;
};

}  // namespace k30
