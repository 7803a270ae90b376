// The tag commands of the main frame: current, next and previous tag (32785
// to 32787) jump from a line of a result list to the file and line it names;
// 32815 shows the list. The frame remembers the list used last (the tag
// document). A double click on a tag line in any text window jumps too.
#pragma once

#include "core/search/TagJump.h"
#include "platform/CommandState.h"

namespace quarn {

class CVeskDoc;
class CVeskEV;
class DocTemplate;
class MainFrameHost;

class TagJumps {
 public:
  // Installs the double-click handler of the text windows while it lives.
  TagJumps(DocTemplate& documents, MainFrameHost& host);
  ~TagJumps();
  TagJumps(const TagJumps&) = delete;
  TagJumps& operator=(const TagJumps&) = delete;

  // False when id is no tag command.
  bool OnCommand(unsigned id);
  bool OnUpdateCommand(unsigned id, CommandState& state);

  // Steps the list's caret for mode and opens the file of its line there.
  // The list: from when given, else the tag document's window, else the
  // active one.
  void TagJump(TagMode mode, CVeskEV* from = nullptr);
  // The double click: true when the caret's line of window is a tag line
  // (the jump starts from that window, which becomes the tag document).
  bool OnTagLineDoubleClick(CVeskEV& window);

  // The remembered list, or null (also once it was closed).
  CVeskDoc* TagDocument() const;

 private:
  CVeskEV* WindowOf(CVeskDoc& doc) const;
  void OpenAt(const TagLine& tag);

  DocTemplate& documents_;
  MainFrameHost& host_;
  CVeskDoc* tagDocument_ = nullptr;
  std::uint64_t tagSerial_ = 0;  // the remembered document's, to tell it from a later one at its address
  TagStepper stepper_;
};

}  // namespace quarn
