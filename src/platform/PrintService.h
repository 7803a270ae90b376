// The printer: the print dialog, the preview window and the print loop. The
// program supplies the job's callbacks; the service calls them on the
// printer's canvas (or the preview's).
#pragma once

#include <string>

#include "platform/Canvas.h"

namespace quarn {

// The printable area of a page in device pixels, and the device's dpi.
struct PrintDevice {
  int dpiX = 600;
  int dpiY = 600;
  int width = 0;   // HORZRES
  int height = 0;  // VERTRES
};

class PrintJob {
 public:
  virtual ~PrintJob() = default;
  // Lays the document out for the device; selection: the user chose to
  // print the selection. Answers the page count, or 0 to print nothing.
  virtual unsigned Begin(Canvas& canvas, const PrintDevice& device, bool selection) = 0;
  // Draws page (from 1).
  virtual void PrintPage(Canvas& canvas, unsigned page) = 0;
  virtual void End() = 0;
};

struct PrintRequest {
  bool preview = false;
  bool offerSelection = false;  // the selection choice is offered and chosen
  bool noDialog = false;        // playback: the default printer, the whole document
  std::string fallbackPdf;      // where to print without a printer (a CP932 path)
};

class PrintService {
 public:
  virtual ~PrintService() = default;
  // Shows the dialog (unless noDialog) and runs the job; false on Cancel.
  virtual bool print(const PrintRequest& request, PrintJob& job) = 0;
};

}  // namespace quarn
