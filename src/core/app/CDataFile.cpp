#include "core/app/CDataFile.h"

#include <algorithm>

#include "core/common/ProgramDirectory.h"
#include "core/app/CabinetSheet.h"
#include "core/common/AppMessage.h"
#include "core/common/RejectedFile.h"
#include "core/operations/CMenuToolManeger.h"
#include "core/operations/CPopupManeger.h"
#include "core/res/MessageIds.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/tools/CConvManeger.h"
#include "core/tools/CExtractManeger.h"
#include "core/tools/CFormManeger.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {

CDataFile gDataFile;

namespace {

constexpr std::size_t kMaxProgramPath = 260;

void SetHistory(SearchHistory& history, const std::vector<std::string>& entries) {
  history.Clear();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) history.Add(*it);
}

// The blocks whose owners hold their settings: line extraction, free
// conversion and the template history.
constexpr std::size_t kExtractBlock = 1;
constexpr std::size_t kConvBlock = 3;
constexpr std::size_t kTemplateBlock = 5;

std::string AsBlock(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

const std::uint8_t* BytesOf(const std::string& block) { return reinterpret_cast<const std::uint8_t*>(block.data()); }

std::string ColorsBlock() {
  std::string b(64, '\0');
  const auto& colors = CustomColors();
  for (std::size_t i = 0; i < colors.size(); ++i) PutLe32(reinterpret_cast<std::uint8_t*>(b.data()) + 4 * i, colors[i]);
  return b;
}

}  // namespace

std::string DataFilePath() {
  const std::string program = ProgramPath();
  if (program.size() < 3 || program.size() > kMaxProgramPath) return {};
  return program.substr(0, program.size() - 3) + "DAT";
}

void CDataFile::Load(const std::string& path) {
  FileSystem* files = Platform().files;
  if (path.empty() || !files || !files->exists(path)) return;
  std::string bytes;
  auto file = files->openRead(path);
  if (!file || !ReadUpTo(*file, kDataBufferSize, bytes)) {
    AppMessageBox(msg::kDataReadFailed);
    return;
  }
  DataFileContents contents;
  if (ReadDataFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), contents) ==
      DataFileFormat::kMalformed) {
    // The next save writes over it: what it held is kept in a copy first.
    ShowRejectedFileMessage(msg::kDataMalformed, KeepRejectedFile(path));
    return;
  }
  Apply(contents);
}

void CDataFile::Apply(const DataFileContents& c) {
  gPageLayout = c.page;
  CFindReplaceManeger& find = gFindReplace;
  SetHistory(find.findHistory, c.findHistory);
  SetHistory(find.replaceHistory, c.replaceHistory);
  SetHistory(find.filePatternHistory, c.patternHistory);
  find.matchCase = (c.options & kOptionMatchCase) != 0;
  find.distinguishWidth = (c.options & kOptionWidthOff) == 0;
  find.regular = (c.options & kOptionRegular) != 0;
  find.searchSubdirectories = c.subdirectories != 0;
  find.directionDown = c.directionDown != 0;
  reserved_ = c.reserved;
  blocks_ = c.blocks;
  blockCount_ = c.blockCount;
  if (blockCount_ > kToolsBlock) gMenuTools.LoadBlock(blocks_[kToolsBlock]);
  if (blockCount_ > kPopupBlock) gPopup.LoadBlock(blocks_[kPopupBlock]);
  if (blockCount_ > kCustomColorsBlock) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(blocks_[kCustomColorsBlock].data());
    auto& colors = CustomColors();
    for (std::size_t i = 0; i < colors.size(); ++i) colors[i] = GetLe32(p + 4 * i);
  }
  // A block its owner finds unsound leaves the owner's settings as they are.
  if (blockCount_ > kExtractBlock) gExtract.LoadParameters(BytesOf(blocks_[kExtractBlock]), blocks_[kExtractBlock].size());
  if (blockCount_ > kConvBlock) gConv.LoadParameters(BytesOf(blocks_[kConvBlock]), blocks_[kConvBlock].size());
  if (blockCount_ > kTemplateBlock) gForm.LoadBlock(BytesOf(blocks_[kTemplateBlock]), blocks_[kTemplateBlock].size());
}

DataFileContents CDataFile::Collect() const {
  DataFileContents c;
  const CFindReplaceManeger& find = gFindReplace;
  c.page = gPageLayout;
  c.findHistory = find.findHistory.Entries();
  c.replaceHistory = find.replaceHistory.Entries();
  c.patternHistory = find.filePatternHistory.Entries();
  c.options = (find.matchCase ? kOptionMatchCase : 0) | (find.distinguishWidth ? 0 : kOptionWidthOff) |
              (find.regular ? kOptionRegular : 0);
  c.subdirectories = find.searchSubdirectories ? 1 : 0;
  c.directionDown = find.directionDown ? 1 : 0;
  c.reserved = reserved_;
  // Every block is written: from its owner, or as read, or its default.
  c.blockCount = kDataBlockCount;
  for (std::size_t i = 0; i < c.blockCount; ++i)
    c.blocks[i] = i < blockCount_ ? blocks_[i] : DefaultDataBlock(i);
  c.blocks[kToolsBlock] = gMenuTools.SaveBlock();
  c.blocks[kPopupBlock] = gPopup.SaveBlock();
  c.blocks[kCustomColorsBlock] = ColorsBlock();
  c.blocks[kExtractBlock] = AsBlock(gExtract.SaveParameters());
  c.blocks[kConvBlock] = AsBlock(gConv.SaveParameters());
  c.blocks[kTemplateBlock] = AsBlock(gForm.SaveBlock());
  return c;
}

bool CDataFile::Save(const std::string& path) {
  FileSystem* files = Platform().files;
  if (path.empty() || !files) return false;
  const std::string bytes = WriteDataFile(Collect());
  // A file that fills the buffer could not be read back: the old one stays.
  if (bytes.size() >= kDataBufferSize || !files->writeAll(path, bytes)) {
    AppMessageBox(msg::kDataWriteFailed);
    return false;
  }
  return true;
}

}  // namespace quarn
