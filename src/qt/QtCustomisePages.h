// The user tool, toolbar and mouse pages of the customisation sheet. Each
// page shows the program's working copies and hands its buttons to them.
#pragma once

class QTabWidget;

namespace quarn {
struct CustomisePages;
}

namespace quarn::qt {

void AddCustomisePages(QTabWidget& tabs, CustomisePages& pages);

}  // namespace quarn::qt
