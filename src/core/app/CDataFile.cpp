#include "core/app/CDataFile.h"

#include <algorithm>

#include "core/common/ProgramDirectory.h"
#include "core/app/CabinetSheet.h"
#include "core/common/AppMessage.h"
#include "core/operations/CMenuToolManeger.h"
#include "core/operations/CPopupManeger.h"
#include "core/res/MessageIds.h"
#include "core/search/CFindReplaceManeger.h"
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
    AppMessageBox(msg::kDataMalformed);
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
  // The tools, the custom colours and the popup menu are always written, so
  // the blocks before them are too: as read, or their defaults.
  c.blockCount = std::max(blockCount_, kPopupBlock + 1);
  for (std::size_t i = 0; i < c.blockCount; ++i)
    c.blocks[i] = i == kCustomColorsBlock ? ColorsBlock()
                  : i == kToolsBlock      ? gMenuTools.SaveBlock()
                  : i == kPopupBlock      ? gPopup.SaveBlock()
                  : i < blockCount_       ? blocks_[i]
                                          : DefaultDataBlock(i);
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
