#pragma once

#include "Language.h"

namespace k30 {

// Qt's own dialogs (file, print, preview, message box buttons) follow the
// interface language: installs Qt's Chinese translations or removes them.
void UseQtTranslations(Language lang);

}  // namespace k30
