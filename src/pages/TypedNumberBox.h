#pragma once

#include <QString>

#include <optional>

#include "Language.h"

class QLineEdit;

namespace k30 {

// Texts of the boxes that take a typed number.
namespace typed_texts {
inline constexpr Text kNotANumber{"不是数字：“%1”", "Not a number: \"%1\""};
inline constexpr Text kNothingComputed{"下列输入框中不是数字，未计算：", "These boxes hold no number; nothing was computed:"};
inline constexpr Text kBoxLine{"%1 %2：“%3”", "%1 %2: \"%3\""};
}  // namespace typed_texts

// Reads the box as a typed number and marks it: a red frame and a tooltip
// naming the text when it is refused, plain again when it reads. An empty box
// reads (as 0) and is never marked.
std::optional<double> ReadAndMarkBox(QLineEdit* box, Language lang);

// Whether the box is marked as holding no number.
bool BoxRefused(const QLineEdit* box);

// Marks the box whenever its text changes, and once now; lang is read at
// each change, so it must outlive the box.
void MarkBoxAsTyped(QLineEdit* box, const Language& lang);

}  // namespace k30
