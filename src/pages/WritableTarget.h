#pragma once

#include "Language.h"
#include "Prompt.h"

namespace k30 {

// A save dialog that does not accept an existing file the user may not
// write: it says so in lang and offers the dialog again. The chosen path, or
// an empty text when the operator cancelled.
QString ChooseWritableFile(Prompt& prompt, QWidget* parent, Prompt::FileRequest request, Language lang);

// The same with one name filter, as Prompt::chooseSaveFile.
QString ChooseWritableSaveFile(Prompt& prompt, QWidget* parent, const QString& title, const QString& nameFilter,
                               const QString& defaultSuffix, Language lang);

}  // namespace k30
