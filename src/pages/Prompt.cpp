#include "Prompt.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QMessageBox>

#include <memory>

#include "ProgressTask.h"

namespace k30 {

namespace {

QMessageBox::StandardButton ToButton(Prompt::Answer a)
{
    switch (a) {
    case Prompt::Answer::Ok:
        return QMessageBox::Ok;
    case Prompt::Answer::Cancel:
        return QMessageBox::Cancel;
    case Prompt::Answer::Yes:
        return QMessageBox::Yes;
    case Prompt::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

}  // namespace

ProgressFn Prompt::progress(QWidget* parent, const QString& label, Language lang)
{
    auto task = std::make_shared<ProgressTask>(parent, label, lang);
    return [task](std::size_t done, std::size_t total) { return task->Step(done, total); };
}

Prompt::Answer QtPrompt::ask(QWidget* parent, const QString& caption, const QString& text, Buttons buttons,
                             Icon icon, Answer defaultAnswer)
{
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case Icon::NoIcon:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(ToButton(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // Escape or the close button: the safe answer of each box.
        return buttons == Buttons::YesNo ? Answer::No : buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

void ConfigureFileDialog(QFileDialog& dialog, const Prompt::FileRequest& request)
{
    dialog.setWindowTitle(request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.directory.isEmpty()) {
        // A folder, or a suggested file in one.
        const QFileInfo start(request.directory);
        if (start.isDir()) {
            dialog.setDirectory(request.directory);
        } else {
            dialog.setDirectory(start.absolutePath());
            dialog.selectFile(start.fileName());
        }
    }
    dialog.setNameFilters(request.nameFilters);
    if (request.mode != Prompt::FileRequest::Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mode == Prompt::FileRequest::Mode::OpenMany ? QFileDialog::ExistingFiles
                                                                               : QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        // With several formats, a name typed without an ending gets the chosen format's.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            const auto match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
            if (match.hasMatch())
                dialog.setDefaultSuffix(match.captured(1));
        });
    }
}

QString QtPrompt::chooseFile(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent);
    ConfigureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (request.mode == FileRequest::Mode::OpenMany)
        return dialog.selectedFiles().join(QLatin1Char('\n'));
    return dialog.selectedFiles().constFirst();
}

int QtPrompt::runDialog(QDialog& dialog) { return dialog.exec(); }

}  // namespace k30
