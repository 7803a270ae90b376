#include "core/macro/COperationManeger.h"

#include <memory>
#include <optional>
#include <utility>

#include "core/common/ProgramDirectory.h"
#include "core/commands/CommandCatalogue.h"
#include "core/common/AppMessage.h"
#include "core/macro/OperationRecorder.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/common/StatusPanes.h"
#include "platform/DirectoryList.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/Types.h"

namespace quarn {
namespace {

bool EndsInMac(const std::string& name) {
  if (name.size() < 4) return false;
  const char* tail = name.data() + name.size() - 4;
  return tail[0] == '.' && (tail[1] | 0x20) == 'm' && (tail[2] | 0x20) == 'a' && (tail[3] | 0x20) == 'c';
}

// The first n bytes of a file, or nothing when it cannot be read.
std::optional<std::string> ReadHead(const std::string& path, std::size_t n) {
  FileSystem* files = Platform().files;
  std::unique_ptr<File> file = files ? files->openRead(path) : nullptr;
  if (!file) return std::nullopt;
  std::string bytes(n, '\0');
  std::size_t got = 0;
  while (got < n) {
    const std::int64_t r = file->read(bytes.data() + got, n - got);
    if (r < 0) return std::nullopt;
    if (r == 0) break;
    got += std::size_t(r);
  }
  bytes.resize(got);
  return bytes;
}

std::string PaneText(const std::string& mark, std::uint32_t count) {
  std::string text = LoadString(pane::kRecording);
  const std::size_t one = text.find("%1");
  if (one != std::string::npos) text.replace(one, 2, mark);
  const std::size_t two = text.find("%2");
  if (two != std::string::npos) text.replace(two, 2, std::to_string(count));
  return text;
}

}  // namespace

COperationManeger::~COperationManeger() {
  if (listening_) SetRecordSink({});
}

std::string COperationManeger::MacroPath(const std::string& name) {
  return ProgramDirectory() + name + (EndsInMac(name) ? "" : ".mac");
}

std::string COperationManeger::ListName(const std::string& name) {
  // Only a lower-case ".mac" is left off, and only when the rest does not end
  // in ".mac" itself: the macro path of the listed name is then the file's
  // own on a file system that tells case apart ("Down3.MAC", "x.mac.mac").
  if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".mac") != 0) return name;
  std::string title = name.substr(0, name.size() - 4);
  return EndsInMac(title) ? name : title;
}

void COperationManeger::ShowPane() {
  const bool on = recording_ || playing_;
  StatusBar().SetPaneEnabled(pane::kRecording, on);
  if (on) StatusBar().SetPaneTextFast(pane::kRecording, PaneText(recording_ ? texts::kRecordingMark : texts::kPlayingMark, count_));
}

void COperationManeger::StartRecording() {
  buffer_.clear();
  buffer_.reserve(kRecordBufferSize);
  count_ = 0;
  name_.clear();
  recording_ = true;
  listening_ = true;
  SetRecordSink([this](std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) { Record(type, id, data); });
  ShowPane();
}

void COperationManeger::StopRecording() {
  recording_ = false;
  if (listening_) SetRecordSink({});
  listening_ = false;
  ShowPane();
}

void COperationManeger::Record(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) {
  if (!recording_) return;
  if (buffer_.size() + data.size() + kRecordHead > kRecordBufferSize) {
    AppMessageBox(msg::kRecordBufferFull);
    StopRecording();
    return;
  }
  if (type == rec::kWindowCommand || type == rec::kFrameCommand) id = RecordableIndex(id);
  std::uint8_t head[kRecordHead];
  PutLe32(head, type);
  PutLe32(head + 4, id);
  PutLe32(head + 8, std::uint32_t(data.size()));
  buffer_.insert(buffer_.end(), head, head + kRecordHead);
  buffer_.insert(buffer_.end(), data.begin(), data.end());
  ++count_;
  ShowPane();
}

std::optional<MacroContents> COperationManeger::ReadOperation(const std::string& name) {
  // An operation is a file of the program's directory: a name from a key
  // file that holds a "/" names none.
  if (name.find('/') != std::string::npos) return std::nullopt;
  const auto bytes = ReadHead(MacroPath(name), kMacroHeaderProbe + kRecordBufferSize);
  return bytes ? ReadMacroFile(*bytes) : std::nullopt;
}

void COperationManeger::Play(const std::string& name) {
  // While recording, a saved operation plays from its file and the buffer
  // keeps the recording, to which the replayed commands add themselves.
  std::optional<MacroContents> saved;
  if (!name.empty() && recording_) {
    saved = ReadOperation(name);
    if (!saved) return;
  } else if (!name.empty() && !Load(name)) {
    return;
  }
  if ((saved ? saved->count : count_) == 0) {
    SimpleBeep();
    return;
  }
  // Replayed commands record themselves again while recording: play what
  // the buffer held when the playback began.
  const std::vector<std::uint8_t> records = saved ? std::move(saved->records) : buffer_;
  const bool wasPlaying = std::exchange(playing_, true);
  ShowPane();
  std::vector<std::uint8_t> data;
  for (std::size_t at = 0; records.size() - at >= kRecordHead;) {
    const std::uint32_t type = GetLe32(records.data() + at);
    std::uint32_t id = GetLe32(records.data() + at + 4);
    const std::size_t length = GetLe32(records.data() + at + 8);
    at += kRecordHead;
    if (length > records.size() - at) break;
    data.assign(records.begin() + std::ptrdiff_t(at), records.begin() + std::ptrdiff_t(at + length));
    at += length;
    if (type == rec::kWindowCommand || type == rec::kFrameCommand) id = RecordedCommand(id);
    if (target_ && !ReplayRecord(*target_, type, id, data)) break;
  }
  playing_ = wasPlaying;
  ShowPane();
}

bool COperationManeger::Load(const std::string& name) {
  const auto contents = ReadOperation(name);
  if (!contents) {
    name_.clear();
    return false;
  }
  buffer_ = contents->records;
  count_ = contents->count;
  comment_ = contents->comment;
  name_ = name;
  ShowPane();
  return true;
}

bool COperationManeger::Save(const std::string& name, const std::string& comment) {
  StopRecording();
  name_ = name;
  comment_ = comment;
  FileSystem* files = Platform().files;
  if (!files || !files->writeAll(MacroPath(name), WriteMacroFile(comment, buffer_.data(), buffer_.size(), count_))) {
    AppMessageBox(msg::kMacroWriteFailed);
    return false;
  }
  return true;
}

std::vector<std::string> COperationManeger::ReadOperationList() {
  list_.clear();
  std::vector<DirectoryEntry> entries;
  const std::string directory = ProgramDirectory();
  listComplete_ = Directories() && Directories()->list(directory, entries);
  std::vector<std::string> names;
  for (const DirectoryEntry& e : entries) {
    if (list_.size() >= kMaxOperations) break;
    if (e.kind != DirectoryEntry::kRegular || e.name.size() <= 4 || !EndsInMac(e.name)) continue;
    const auto head = ReadHead(directory + e.name, kMacroHeaderProbe);
    const auto comment = head ? ReadMacroComment(*head) : std::nullopt;
    if (!comment) continue;
    list_.push_back({ListName(e.name), *comment, false});
    names.push_back(list_.back().name);
  }
  return names;
}

COperationManeger& Operations() {
  static COperationManeger manager;
  return manager;
}

}  // namespace quarn
