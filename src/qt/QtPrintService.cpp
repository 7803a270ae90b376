#include "qt/QtPrintService.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "qt/QtCanvas.h"
#include "qt/QtText.h"

namespace quarn::qt {

bool QtPrintService::Render(QPrinter& printer, PrintJob& job, bool selection) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QtCanvas canvas(painter);
  const PrintDevice device{printer.logicalDpiX(), printer.logicalDpiY(), printer.width(), printer.height()};
  const unsigned pages = job.Begin(canvas, device, selection);
  if (pages == 0) {
    printer.abort();
    painter.end();
    job.End();
    return false;
  }
  for (unsigned page = 1; page <= pages; ++page) {
    if (page > 1) printer.newPage();
    job.PrintPage(canvas, page);
  }
  painter.end();
  job.End();
  return true;
}

bool QtPrintService::PrintToPdf(PrintJob& job, const QString& path, bool selection) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setFullPage(true);
  printer.setOutputFileName(path);
  return Render(printer, job, selection);
}

bool QtPrintService::print(const PrintRequest& request, PrintJob& job) {
  if (request.noDialog) {
    // Playback prints without asking: to the default printer, or to a PDF
    // beside the document when the machine has none.
    if (QPrinterInfo::defaultPrinter().isNull()) {
      return PrintToPdf(job, PathToQString(request.fallbackPdf));
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setFullPage(true);
    return Render(printer, job, false);
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);
  if (request.offerSelection) printer.setPrintRange(QPrinter::Selection);
  if (request.preview) {
    QPrintPreviewDialog preview(&printer, parent_);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
      Render(*target, job, request.offerSelection);
    });
    preview.exec();
    return true;
  }
  QPrintDialog dialog(&printer, parent_);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, request.offerSelection);
  if (dialog.exec() != QDialog::Accepted) return false;
  return Render(printer, job, printer.printRange() == QPrinter::Selection);
}

}  // namespace quarn::qt
