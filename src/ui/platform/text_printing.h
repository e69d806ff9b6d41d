// Printing the document text: the whole text as one print item in the given
// font; the printing service wraps the lines and breaks the pages. On a
// machine without printers the text goes to a PDF file.
#pragma once

#include <QFont>
#include <QString>

class QPrinter;

namespace kovrel {

/// True when `printer` has somewhere to print: a PDF file name, or a printer
/// of the system.
bool HasPrintTarget(const QPrinter& printer);

/// Points `printer` at the PDF file `path`.
void PrintToPdf(QPrinter& printer, const QString& path);

/// Prints `text` followed by a line end and ends the job. Throws Failure
/// when the printer cannot be opened.
void PrintText(QPrinter& printer, const QString& text, const QFont& font);

}  // namespace kovrel
