#include "SiteEditCommand.h"

#include "SiteDatabase.h"

namespace k30 {

SiteEditCommand::SiteEditCommand(site::SiteDatabase& db, std::vector<qint64> ids, site::PointEdit edit,
                                 const QString& text, std::function<void()> changed)
    : QUndoCommand(text), db_(db), ids_(std::move(ids)), edit_(std::move(edit)), changed_(std::move(changed))
{
}

void SiteEditCommand::redo()
{
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
    if (failed_)
        return;
    if (!db_.Restore(previous_)) {
        failed_ = true;
        error_ = db_.LastError();
    }
    if (changed_)
        changed_();
}

}  // namespace k30
