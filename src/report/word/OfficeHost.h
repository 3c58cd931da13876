#pragma once

#include <QByteArray>
#include <QString>

namespace k30 {

// What the office layer needs from whoever runs it: the workbench window
// (message boxes, the desktop) or the command-line tool (stderr, a file).
class OfficeHost {
public:
    virtual ~OfficeHost() = default;

    // The layer's failure messages: an exclamation box with an OK button.
    virtual void Warn(const QString& text) = 0;

    // Takes the finished .docx package when the document is made visible and
    // puts it before the operator.
    virtual void Show(const QByteArray& package) = 0;
};

}  // namespace k30
