// The modeless find and replace dialog and the main toolbar's find box, as
// the platform shows them. One dialog exists at a time; it reports its
// buttons to the client that opened it.
#pragma once

#include <string>
#include <vector>

namespace quarn {

// What the dialog's controls hold (CP932 texts).
struct FindDialogFields {
  std::string findText;
  std::string replaceText;
  bool down = true;
  bool matchCase = false;
  bool regular = false;           // "正規表現を使用する(&R)" (163)
  bool distinguishWidth = true;   // "半角と全角を区別する(&D)" (164)
  bool escapes = false;           // the escape-sequence box (1042)
  bool showEscapes = false;       // the box is shown only for the binary window
};

enum class FindAction { kFindNext, kReplace, kReplaceAll, kClose };

class FindDialogClient {
 public:
  virtual ~FindDialogClient() = default;
  virtual void OnFindDialogMessage(FindAction action, const FindDialogFields& fields) = 0;
};

class FindDialogService {
 public:
  virtual ~FindDialogService() = default;
  // Shows a new dialog ("検索" when findOnly, else "置換") with the fields
  // and the two history lists.
  virtual void open(bool findOnly, const FindDialogFields& fields, const std::vector<std::string>& findHistory,
                    const std::vector<std::string>& replaceHistory, FindDialogClient* client) = 0;
  virtual bool isOpen() const = 0;
  virtual bool isFindOnly() const = 0;
  virtual FindDialogClient* client() const = 0;
  virtual void activate() = 0;
  // Closes the dialog without a message to the client.
  virtual void close() = 0;
};

class FindBoxService {
 public:
  virtual ~FindBoxService() = default;
  virtual std::string text() const = 0;
  virtual void setHistory(const std::vector<std::string>& entries) = 0;
  // Puts the keyboard focus into the box and selects its text.
  virtual void focusAndSelect() = 0;
  virtual bool hasFocus() const = 0;
};

}  // namespace quarn
