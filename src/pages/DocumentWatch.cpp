#include "DocumentWatch.h"

#include "Document.h"

namespace k30 {

DocumentWatch::DocumentWatch(Document& document, QObject* parent) : QObject(parent), document_(document)
{
    id_ = document_.Listen([this](Document::Change change) {
        if (change == Document::Change::Header)
            emit headerChanged();
        emit savedStateChanged();
    });
}

DocumentWatch::~DocumentWatch() { document_.Unlisten(id_); }

}  // namespace k30
