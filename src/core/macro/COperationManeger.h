// The recorded operations: the recording buffer, recording and playback,
// and the macro files of saved operations in the program's directory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/macro/MacroFile.h"
#include "core/keys/OperationLinks.h"

namespace quarn {

class ReplayTarget;

constexpr std::size_t kMaxOperations = 100;

struct OperationEntry {
  std::string name;  // ListName of the file
  std::string comment;
  bool deleteMark = false;
};

class COperationManeger : public OperationLibrary {
 public:
  COperationManeger() = default;
  ~COperationManeger() override;
  COperationManeger(const COperationManeger&) = delete;
  COperationManeger& operator=(const COperationManeger&) = delete;

  // Where replayed records go (the main frame); null: nowhere.
  void SetReplayTarget(ReplayTarget* target) { target_ = target; }

  // Empties the buffer and starts listening to the recordable commands.
  void StartRecording();
  void StopRecording();
  // Appends a record while recording; a record that would pass the buffer
  // ends the recording with 59422.
  void Record(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data);
  // Loads the named operation first when a name is given (stops silently
  // when it cannot); while recording it plays the operation's file and
  // leaves the buffer to the recording. Beeps when there is nothing to play;
  // stops at a failed record.
  void Play(const std::string& name = {});
  // Reads the macro file into the buffer; false (the name emptied) when it
  // is missing or invalid.
  bool Load(const std::string& name);
  // Stops recording and writes the buffer; false after 59426.
  bool Save(const std::string& name, const std::string& comment);
  // The saved operations found in the program's directory (at most 100);
  // their names are returned.
  std::vector<std::string> ReadOperationList() override;
  void PlayOperation(const std::string& name) override { Play(name); }
  bool ListComplete() const override { return listComplete_; }
  std::vector<OperationEntry>& Operations() { return list_; }

  bool IsRecording() const { return recording_; }
  bool IsPlaying() const { return playing_; }
  std::uint32_t Count() const { return count_; }
  std::size_t Used() const { return buffer_.size(); }
  const std::vector<std::uint8_t>& Buffer() const { return buffer_; }
  const std::string& Name() const { return name_; }
  const std::string& Comment() const { return comment_; }

  // The macro file of an operation name: "<program directory><name>", with
  // ".mac" appended unless the name already ends in it (any case).
  static std::string MacroPath(const std::string& name);
  // The operation's name as the operation list shows it, and as its keys
  // are bound: the file's name without a lower-case ".mac" when the macro
  // path of that name is the same file again, else the file's whole name.
  static std::string ListName(const std::string& name);

 private:
  void ShowPane();
  // The valid macro file of an operation name, or nothing.
  static std::optional<MacroContents> ReadOperation(const std::string& name);

  ReplayTarget* target_ = nullptr;
  bool listComplete_ = true;
  bool recording_ = false;
  bool playing_ = false;
  bool listening_ = false;
  std::uint32_t count_ = 0;
  std::vector<std::uint8_t> buffer_;
  std::string name_;
  std::string comment_;
  std::vector<OperationEntry> list_;
};

// The application's manager.
COperationManeger& Operations();

}  // namespace quarn
