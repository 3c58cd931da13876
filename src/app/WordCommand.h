#pragma once

#include <QString>

#include <functional>

#include "ReportHeader.h"
#include "TestDataStore.h"

class QWidget;

namespace k30 {

class Prompt;

// Opens a file with the desktop's default application for its type; false
// when nothing could open it.
using DesktopOpener = std::function<bool(const QString& path)>;
bool OpenWithDesktop(const QString& path);

// "Save Word Document". header: the report header as the header page currently
// shows it. Shows CDlgWordK through prompt.runDialog (Cancel ends the command),
// builds the report of every K30 point in the store with the edited values,
// writes it atomically as a Word template (.dotx) into a fresh temporary
// folder and opens it with open, so the word processor shows a new, untitled
// document. When it cannot be written there or nothing can open it, asks where to
// save it (prompt.chooseFile) until it is saved or the operator cancels, so it
// is never lost. Neither the store nor the header is changed.
void RunWordExport(TestDataStore& store, Prompt& prompt, const ReportHeader& header, QWidget* window,
                   const DesktopOpener& open = OpenWithDesktop);

}  // namespace k30
