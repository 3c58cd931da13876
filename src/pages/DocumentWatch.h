#pragma once

#include <QObject>

namespace k30 {

class Document;

// The document as Qt signals, for the pages that show it. The document must
// outlive the watch.
class DocumentWatch : public QObject {
    Q_OBJECT
public:
    explicit DocumentWatch(Document& document, QObject* parent = nullptr);
    ~DocumentWatch() override;

signals:
    void headerChanged();
    // A file was opened or saved, or typed texts changed: the answer to
    // "is there unsaved work" may have changed.
    void savedStateChanged();

private:
    Document& document_;
    int id_ = 0;
};

}  // namespace k30
