#include "core/app/WindowMarks.h"

#include <algorithm>
#include <string>

#include "core/app/DocTemplate.h"
#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "core/view/CVeskView.h"

namespace quarn {
namespace {

const std::string kPrefix = "* ";
// A title takes at most 260 bytes; marking must leave room for the prefix.
constexpr std::size_t kLongestTitle = 260;

bool HasPrefix(const std::string& title) { return title.compare(0, kPrefix.size(), kPrefix) == 0; }

// Removes the "* " of a marked title; a beep when it has none or is too long.
void RemovePrefix(CVeskDoc& doc) {
  const std::string& title = doc.GetTitle();
  if (!HasPrefix(title) || title.size() > kLongestTitle) {
    WarningBeep();
    return;
  }
  doc.SetTitle(title.substr(kPrefix.size()));
}

}  // namespace

void WindowMarks::Toggle(CVeskView* active) {
  if (!active) {
    WarningBeep();
    return;
  }
  CVeskDoc& doc = active->GetDocument();
  auto found = std::find(views_.begin(), views_.end(), active);
  if (found != views_.end()) {
    views_.erase(found);
    KeepCurrentInside();
    RemovePrefix(doc);
    return;
  }
  if (views_.size() >= kMaxMarks) {
    WarningBeep();
    return;
  }
  views_.push_back(active);
  current_ = views_.size() - 1;
  const std::string& title = doc.GetTitle();
  if (title.size() > kLongestTitle - kPrefix.size())
    WarningBeep();
  else if (!HasPrefix(title))
    doc.SetTitle(kPrefix + title);
}

void WindowMarks::Step(bool forward) {
  if (views_.empty()) {
    WarningBeep();
    return;
  }
  const std::size_t n = views_.size();
  current_ = forward ? (current_ + 1) % n : (current_ + n - 1) % n;
  CVeskView* view = views_[current_];
  if (!Exists(view)) {
    WarningBeep();
    return;
  }
  documents_.ActivateDocument(view->GetDocument());
}

void WindowMarks::UnmarkAll() {
  for (CVeskView* view : views_)
    if (Exists(view)) RemovePrefix(view->GetDocument());
  views_.clear();
  current_ = 0;
}

void WindowMarks::Forget(const DocumentView* view) {
  views_.erase(std::remove_if(views_.begin(), views_.end(), [view](const CVeskView* v) { return v == view; }), views_.end());
  KeepCurrentInside();
}

bool WindowMarks::Exists(const CVeskView* view) const {
  for (std::size_t i = 0; i < documents_.Count(); ++i)
    for (const DocumentView* v : documents_.At(i).Views())
      if (v == view) return true;
  return false;
}

void WindowMarks::KeepCurrentInside() {
  if (current_ >= views_.size()) current_ = views_.empty() ? 0 : views_.size() - 1;
}

}  // namespace quarn
