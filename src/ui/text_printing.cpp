// Text printing through QTextDocument.
#include "ui/text_printing.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
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
  QPainter probe;
  if (!probe.begin(&printer)) {
    Fail(FailureKind::kPermissionDenied,
         (printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()).toStdString());
  }
  probe.end();
  document.print(&printer);
  if (printer.printerState() == QPrinter::Error) Fail(FailureKind::kPermissionDenied, printer.printerName().toStdString());
}

}  // namespace kovrel
