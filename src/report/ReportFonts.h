#pragma once

#include <QFont>

#include "Language.h"

namespace k30 {

// The faces the reports and pages ask for: "宋体" for Chinese texts and
// "Times New Roman" for English ones.
QString FaceFor(Language lang);

// Maps those faces onto the fonts installed with the workbench (Noto Serif CJK,
// Liberation Serif). Call once after the application object exists.
void InstallFontSubstitutes();

// A font of the given point size in the face of the language.
QFont FontFor(Language lang, double pointSize);

}  // namespace k30
