// Text printing through QTextDocument.
#include "ui/platform/text_printing.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include "core/failure.h"

namespace kovrel {

bool HasPrintTarget(const QPrinter& printer) {
  if (!printer.outputFileName().isEmpty()) return true;
  return printer.outputFormat() == QPrinter::NativeFormat && !QPrinterInfo::availablePrinterNames().isEmpty();
}

void PrintToPdf(QPrinter& printer, const QString& path) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
}

void PrintText(QPrinter& printer, const QString& text, const QFont& font) {
  QTextDocument document;
  document.setDefaultFont(font);
  document.setPlainText(text + "\n");
  // A document laid out on the printer's page prints as it is; without a
  // page size the printing would add page numbers of its own.
  document.documentLayout()->setPaintDevice(&printer);
  document.setPageSize(printer.pageRect(QPrinter::DevicePixel).size());
  document.print(&printer);
  // A printer or PDF file that cannot be opened leaves the printer in the
  // error state.
  if (printer.printerState() == QPrinter::Error) {
    Fail(FailureKind::kPermissionDenied,
         (printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()).toStdString());
  }
}

}  // namespace kovrel
