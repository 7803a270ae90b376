// Stand-ins for the toolbar's find box and the find dialog: the box holds a
// text, the dialog remembers how it was opened and whether it is open.
#pragma once

#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/FindDialogService.h"

namespace quarn::fakes {

struct FakeFindBox : FindBoxService {
  std::string text() const override { return boxText; }
  void setHistory(const std::vector<std::string>& entries) override { history = entries; }
  void focusAndSelect() override { ++focusCount; }
  bool hasFocus() const override { return focused; }

  std::string boxText;
  std::vector<std::string> history;
  int focusCount = 0;
  bool focused = false;
  Installed<FindBoxService> installed{Platform().findBox, this};
};

class FakeFindDialog : public FindDialogService {
 public:
  void open(bool findOnly, const FindDialogFields& f, const std::vector<std::string>&,
            const std::vector<std::string>&, FindDialogClient* c) override {
    open_ = true;
    findOnly_ = findOnly;
    fields = f;
    client_ = c;
    ++opened;
  }
  bool isOpen() const override { return open_; }
  bool isFindOnly() const override { return findOnly_; }
  FindDialogClient* client() const override { return open_ ? client_ : nullptr; }
  void activate() override { ++activated; }
  void close() override { open_ = false; }

  FindDialogFields fields;
  int opened = 0;
  int activated = 0;

 private:
  bool open_ = false;
  bool findOnly_ = true;
  FindDialogClient* client_ = nullptr;
  Installed<FindDialogService> installed_{Platform().findDialog, this};
};

}  // namespace quarn::fakes
