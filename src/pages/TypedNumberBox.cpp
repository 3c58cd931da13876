#include "TypedNumberBox.h"

#include <QLineEdit>

#include "Format.h"
#include "UiText.h"

namespace k30 {

namespace {
constexpr char kRefusedProperty[] = "refusedNumber";
const QString kRefusedStyle = QStringLiteral("QLineEdit { border: 2px solid rgb(220, 0, 0); }");
}  // namespace

std::optional<double> ReadAndMarkBox(QLineEdit* box, Language lang)
{
    const QString text = box->text();
    const std::optional<double> value = ReadTypedNumber(S(text));
    const bool refused = !value;
    if (box->property(kRefusedProperty).toBool() != refused || (refused && box->toolTip().isEmpty())) {
        box->setProperty(kRefusedProperty, refused);
        box->setStyleSheet(refused ? kRefusedStyle : QString());
    }
    box->setToolTip(refused ? Tr(typed_texts::kNotANumber, lang).arg(text) : QString());
    return value;
}

bool BoxRefused(const QLineEdit* box) { return box->property(kRefusedProperty).toBool(); }

void MarkBoxAsTyped(QLineEdit* box, const Language& lang)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [box, &lang] { ReadAndMarkBox(box, lang); });
    ReadAndMarkBox(box, lang);
}

}  // namespace k30
