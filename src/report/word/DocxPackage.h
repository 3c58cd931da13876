#pragma once

#include <QByteArray>
#include <QString>

#include "DocxDocument.h"

namespace k30::docx {

// The document's body as word/document.xml.
QByteArray DocumentXml(const Document& document);

// The whole .docx package: [Content_Types].xml, the relationships, the body,
// the styles (a bordered "Table Grid" among them) and the settings. Empty with
// a message in error when the archive cannot be made.
QByteArray DocxPackage(const Document& document, QString& error);

// The same package as a Word template (.dotx): only the content type of the
// body differs, so a word processor opens a new, untitled document from it.
// Empty with a message in error when the package cannot be read or made.
QByteArray TemplateFromDocx(const QByteArray& docxPackage, QString& error);

}  // namespace k30::docx
