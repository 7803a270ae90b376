#include "qt/QtSettingsEffects.h"

#include "core/app/DocTemplate.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/document/CVeskDoc.h"
#include "platform/InstanceChannel.h"
#include "qt/QtDocumentView.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtStatusBar.h"
#include "qt/QtTabBar.h"

namespace quarn::qt {
namespace {

void UpdateDocuments(int kind, int hintCode) {
  DocTemplate& documents = Documents();
  for (std::size_t i = 0; i < documents.Count(); ++i)
    if (documents.At(i).DocKind() == kind) documents.At(i).UpdateAllViews(hintCode);
}

}  // namespace

// The binary windows read the settings again at every relayout; the format
// hint also makes their screen font again, which a change of the bytes per
// line needs no more than any other change.
void QtSettingsEffects::RelayoutBinaryWindows(bool) { UpdateDocuments(kBinaryDoc, hint::kFormatChanged); }

void QtSettingsEffects::RelayoutTextWindows() { UpdateDocuments(kTextDoc, hint::kFormatChanged); }

void QtSettingsEffects::ResetTitles() {
  DocTemplate& documents = Documents();
  for (std::size_t i = 0; i < documents.Count(); ++i) {
    CVeskDoc& doc = documents.At(i);
    if (doc.GetPathName().empty()) continue;
    // A marked window keeps its "* " in the new title.
    const bool marked = doc.GetTitle().compare(0, 2, "* ") == 0;
    doc.SetPathName(doc.GetPathName());
    if (marked) doc.SetTitle("* " + doc.GetTitle());
  }
  frame_.core().Tabs().Rebuild();
}

void QtSettingsEffects::ShowTabBar(bool shown) { frame_.tabBar()->setVisible(shown); }
void QtSettingsEffects::ShowToolBar(bool shown) { frame_.toolbar()->setVisible(shown); }
void QtSettingsEffects::ShowStatusBar(bool shown) { frame_.statusPanes()->setVisible(shown); }

void QtSettingsEffects::ShowRulers() {
  for (QtDocumentView* view : frame_.findChildren<QtDocumentView*>()) view->View().RelayoutRulers();
}

void QtSettingsEffects::TakeInstanceLock() {
  if (channel_) channel_->acquire();
}

void QtSettingsEffects::SaveCabinetNow() { gCabinet.SaveNow(); }

}  // namespace quarn::qt
