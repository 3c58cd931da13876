#pragma once

#include <QString>
#include <QStringList>

#include "Language.h"
#include "Progress.h"

class QDialog;
class QFileDialog;
class QWidget;

namespace k30 {

// Every message box, question, file dialog and modal dialog of the workbench
// goes through this interface: real boxes in the program, scripted answers in
// the tests.
class Prompt {
public:
    enum class Icon { NoIcon, Information, Question, Warning, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileRequest {
        // OpenMany: several existing files, their paths joined by newlines.
        enum class Mode { Open, Save, OpenMany };
        Mode mode = Mode::Open;
        QString title;
        QStringList nameFilters;  // "Text (*.a *.b)"
        QString defaultSuffix;    // added to a saved name without one
        QString directory;
    };

    virtual ~Prompt() = default;

    // A message box; defaultAnswer is what Enter gives.
    virtual Answer ask(QWidget* parent, const QString& caption, const QString& text, Buttons buttons, Icon icon,
                       Answer defaultAnswer) = 0;

    // The chosen path, or an empty text when the operator cancelled. Saving asks
    // before overwriting an existing file.
    virtual QString chooseFile(QWidget* parent, const FileRequest& request) = 0;

    // Runs a modal dialog and returns its result (QDialog::Accepted or Rejected).
    virtual int runDialog(QDialog& dialog) = 0;

    // Progress of work that may take longer than a second: a window with the
    // label and Cancel shows once a second has passed; the function returns
    // false once the operator cancelled. The window goes with the function.
    virtual ProgressFn progress(QWidget* parent, const QString& label, Language lang);

    // A save dialog with one filter; empty when cancelled.
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& nameFilter,
                           const QString& defaultSuffix)
    {
        FileRequest request;
        request.mode = FileRequest::Mode::Save;
        request.title = title;
        request.nameFilters = {nameFilter};
        request.defaultSuffix = defaultSuffix;
        return chooseFile(parent, request);
    }

    // A box with only an OK button.
    void inform(QWidget* parent, const QString& caption, const QString& text, Icon icon = Icon::Information)
    {
        ask(parent, caption, text, Buttons::Ok, icon, Answer::Ok);
    }
};

// Sets a file dialog up for a request. Qt's own dialog is used everywhere: its
// name filters match whatever the letter case, so files named *.org or *.k30 by
// other systems are listed too.
void ConfigureFileDialog(QFileDialog& dialog, const Prompt::FileRequest& request);

// The real boxes and dialogs.
class QtPrompt : public Prompt {
public:
    Answer ask(QWidget* parent, const QString& caption, const QString& text, Buttons buttons, Icon icon,
               Answer defaultAnswer) override;
    QString chooseFile(QWidget* parent, const FileRequest& request) override;
    int runDialog(QDialog& dialog) override;
};

}  // namespace k30
