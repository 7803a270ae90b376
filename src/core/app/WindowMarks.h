// The window marks: a short list of document windows the user marked to
// step through. A marked window's document title begins with "* ".
#pragma once

#include <cstddef>
#include <vector>

namespace quarn {

class CVeskView;
class DocumentView;
class DocTemplate;

class WindowMarks {
 public:
  static constexpr std::size_t kMaxMarks = 10;

  explicit WindowMarks(DocTemplate& documents) : documents_(documents) {}

  // Marks the active view, or unmarks it when it is marked; beeps without one.
  void Toggle(CVeskView* active);
  // Steps the current entry forward (or back) with wrap and activates its
  // window; a beep for an empty list or a window that is gone.
  void Step(bool forward);
  // Every marked title loses its "* "; the list empties.
  void UnmarkAll();
  // A view that goes away leaves the list.
  void Forget(const DocumentView* view);

  bool Empty() const { return views_.empty(); }
  const std::vector<CVeskView*>& Views() const { return views_; }
  std::size_t Current() const { return current_; }

 private:
  bool Exists(const CVeskView* view) const;
  void KeepCurrentInside();

  DocTemplate& documents_;
  std::vector<CVeskView*> views_;
  std::size_t current_ = 0;
};

}  // namespace quarn
