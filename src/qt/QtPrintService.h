// Printing with Qt: the system's print dialog, the preview window and PDF
// output, all drawing a job's pages through the canvas on a QPrinter.
#pragma once

#include <QString>

#include "platform/PrintService.h"

class QPrinter;
class QWidget;

namespace quarn::qt {

class QtPrintService : public PrintService {
 public:
  explicit QtPrintService(QWidget* parent) : parent_(parent) {}
  bool print(const PrintRequest& request, PrintJob& job) override;

  // Runs the job on printer; false when it printed nothing.
  static bool Render(QPrinter& printer, PrintJob& job, bool selection);
  // Prints the job into a PDF file at path (the tests' and playback's way).
  static bool PrintToPdf(PrintJob& job, const QString& path, bool selection = false);

 private:
  QWidget* parent_;
};

}  // namespace quarn::qt
