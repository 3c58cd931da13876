#include "SiteEditCommand.h"

#include "SiteDatabase.h"

namespace k30 {

SiteEditCommand::SiteEditCommand(site::SiteDatabase& db, std::vector<qint64> ids, site::PointEdit edit,
                                 const QString& text, std::function<void()> changed)
    : QUndoCommand(text), db_(db), connection_(db.ConnectionName()), ids_(std::move(ids)), edit_(std::move(edit)),
      changed_(std::move(changed))
{
}

bool SiteEditCommand::SameConnection()
{
    if (db_.IsOpen() && db_.ConnectionName() == connection_)
        return true;
    failed_ = true;
    error_ = QStringLiteral("the site database was opened again since this edit");
    setObsolete(true);
    return false;
}

void SiteEditCommand::redo()
{
    if (!SameConnection())
        return;
    previous_.clear();
    failed_ = !db_.Edit(ids_, edit_, &previous_);
    if (failed_) {
        error_ = db_.LastError();
        setObsolete(true);
        return;
    }
    if (changed_)
        changed_();
}

void SiteEditCommand::undo()
{
    if (failed_ || !SameConnection())
        return;
    if (!db_.Restore(previous_)) {
        failed_ = true;
        error_ = db_.LastError();
    }
    if (changed_)
        changed_();
}

}  // namespace k30
