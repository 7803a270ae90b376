#include "core/operations/CMenuToolManeger.h"

#include <algorithm>
#include <cstring>

#include "core/commands/Toolbar.h"
#include "platform/Types.h"

namespace quarn {

CMenuToolManeger gMenuTools;

namespace {

constexpr std::uint32_t kOldHelpButton = 57668;
constexpr std::uint32_t kHelpButton = 57669;

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}
void PutText(std::string& out, const std::string& text) {
  out += text;
  out += '\0';
}

// Reads the block; every step fails (and stays failed) past its end.
class Reader {
 public:
  explicit Reader(const std::string& b) : data_(reinterpret_cast<const std::uint8_t*>(b.data())), size_(b.size()) {}
  bool ok() const { return ok_; }
  std::uint32_t u32() {
    if (!ok_ || size_ - at_ < 4) return ok_ = false, 0;
    at_ += 4;
    return GetLe32(data_ + at_ - 4);
  }
  bool flag() { return u32() != 0; }
  std::string text() {
    const void* zero = ok_ && at_ < size_ ? std::memchr(data_ + at_, 0, size_ - at_) : nullptr;
    if (!zero) return ok_ = false, std::string();
    const auto length = std::size_t(static_cast<const std::uint8_t*>(zero) - (data_ + at_));
    std::string s(reinterpret_cast<const char*>(data_ + at_), length);
    at_ += length + 1;
    return s;
  }
  std::uint32_t count(std::size_t limit) {
    const std::uint32_t n = u32();
    if (n > limit) ok_ = false;
    return ok_ ? n : 0;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

CMenuToolManeger::CMenuToolManeger() : toolbar(toolbar::DefaultToolbar()) {}

void CMenuToolManeger::AddToHistory(const RunEntry& entry) {
  std::erase_if(history, [&](const RunEntry& e) { return e.command == entry.command; });
  history.insert(history.begin(), entry);
  if (history.size() > kMaxHistory) history.resize(kMaxHistory);
}

UserTool* CMenuToolManeger::ToolOfCommand(unsigned id) {
  if (id < kFirstToolCommand || id > kLastToolCommand) return nullptr;
  std::size_t n = id - kFirstToolCommand;
  for (UserTool& tool : tools) {
    if (tool.kind == ToolKind::kSeparator) continue;
    if (n-- == 0) return &tool;
  }
  return nullptr;
}

std::string CMenuToolManeger::ToolTitle(unsigned id) const {
  const UserTool* tool = const_cast<CMenuToolManeger*>(this)->ToolOfCommand(id);
  return tool ? tool->title : std::string();
}

bool CMenuToolManeger::HasTools() const {
  return std::any_of(tools.begin(), tools.end(), [](const UserTool& t) { return t.kind != ToolKind::kSeparator; });
}

std::string CMenuToolManeger::SaveBlock() const {
  std::string b;
  Put32(b, std::uint32_t(history.size()));
  for (const RunEntry& e : history) {
    PutText(b, e.command), PutText(b, e.parameters), PutText(b, e.directory);
    Put32(b, e.dosInternal), Put32(b, e.redirect), Put32(b, e.iconic);
  }
  Put32(b, std::uint32_t(tools.size()));
  for (const UserTool& t : tools) {
    Put32(b, std::uint32_t(t.kind));
    PutText(b, t.title), PutText(b, t.run.command), PutText(b, t.run.parameters), PutText(b, t.run.directory);
    Put32(b, t.run.dosInternal), Put32(b, t.run.redirect), Put32(b, t.run.iconic), Put32(b, t.askParameters);
  }
  Put32(b, std::uint32_t(toolbar.size()));
  for (unsigned id : toolbar) Put32(b, id);
  return b;
}

bool CMenuToolManeger::LoadBlock(const std::string& block) {
  Reader in(block);
  std::vector<RunEntry> h(in.count(kMaxHistory));
  for (RunEntry& e : h) {
    e.command = in.text(), e.parameters = in.text(), e.directory = in.text();
    e.dosInternal = in.flag(), e.redirect = in.flag(), e.iconic = in.flag();
  }
  std::vector<UserTool> t(in.count(kMaxTools));
  for (UserTool& tool : t) {
    const std::uint32_t kind = in.u32();
    tool.kind = kind <= 2 ? ToolKind(kind) : ToolKind::kSeparator;
    tool.title = in.text(), tool.run.command = in.text(), tool.run.parameters = in.text(), tool.run.directory = in.text();
    tool.run.dosInternal = in.flag(), tool.run.redirect = in.flag(), tool.run.iconic = in.flag();
    tool.askParameters = in.flag();
  }
  std::vector<unsigned> buttons(in.count(kMaxButtons));
  for (unsigned& id : buttons) {
    id = in.u32();
    if (id == kOldHelpButton) id = kHelpButton;
  }
  if (!in.ok()) return false;
  history = std::move(h);
  tools = std::move(t);
  toolbar = std::move(buttons);
  return true;
}

}  // namespace quarn
