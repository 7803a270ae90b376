// Opening a file: the open mode picked from its first bytes, the bytes read
// as text (with its repairs) or as binary data, the rows laid out, then a
// few edits of the text. The loaded text keeps the rules of a text document
// and the row table after every edit is the one a full layout gives.
#include <vector>

#include "FuzzInput.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/OpenMode.h"
#include "core/document/TextReader.h"
#include "core/encoding/Cp932.h"
#include "fakes/FakePlatform.h"

using namespace quarn;

namespace {

constexpr std::uint8_t kCr = 0x0D;

void CheckText(CVeskDoc& doc) {
  const std::uint32_t n = doc.TextLength();
  std::uint32_t last = CVeskDoc::kNone;
  for (std::uint32_t i = 0; i < n;) {
    const std::uint8_t b = doc.ByteAt(i);
    fuzz::Check(b != 0, "no NUL in a text document");
    last = i;
    if (b == kCr || cp932::IsLeadByte(b)) {
      fuzz::Check(i + 1 < n, "the last character is whole");
      if (b == kCr) fuzz::Check(doc.ByteAt(i + 1) == 0x0A, "every CR starts CR LF");
      i += 2;
    } else {
      ++i;
    }
  }
  fuzz::Check(doc.LastCharPos() == last, "LastCharPos is the last character's start");
}

std::vector<std::uint32_t> Rows(const CVeskDoc& doc) {
  return std::vector<std::uint32_t>(doc.RowStarts(), doc.RowStarts() + doc.RowCount());
}

void CheckRows(CVeskDoc& doc) {
  const std::vector<std::uint32_t> rows = Rows(doc);
  const std::vector<std::uint8_t> flags(doc.RowFlags(), doc.RowFlags() + doc.RowCount());
  fuzz::Check(rows.size() <= gProcess.maxRows, "no more rows than the limit");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    fuzz::Check(i == 0 ? rows[i] == 0 : rows[i] > rows[i - 1], "rows start at 0 and rise");
    fuzz::Check(rows[i] < doc.TextLength(), "every row starts inside the text");
    const bool lineStart = rows[i] >= 2 && doc.ByteAt(rows[i] - 2) == kCr;
    fuzz::Check(flags[i] == (lineStart ? 1 : 0), "a row's flag says whether it starts a line");
  }
  doc.RebuildRows();
  fuzz::Check(Rows(doc) == rows, "the rows are those of a full layout");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fakes::FakePlatform platform;
  platform.messages.shown.clear();
  fuzz::Input in(data, size);
  const std::uint8_t setup = in.Byte();
  static const int kWidths[] = {4, 16, 40, 80};
  const bool text = (setup & 1) == 0;
  // Small limits now and then, so that cutting a long file and running out
  // of rows are reached with small inputs.
  gProcess.maxBytes = setup & 2 ? 300 : 314572800;
  gProcess.maxRows = setup & 4 ? 5 : 1000000;
  const std::string edits = in.Take(in.Byte());
  const std::string file = in.Rest();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());

  const int mode = DetectOpenModeOf(bytes, std::min<std::size_t>(file.size(), 32));
  fuzz::Check(mode >= 1 && mode <= 3, "an open mode is 1, 2 or 3");
  std::vector<std::uint8_t> fast(bytes, bytes + file.size()), plain = fast;
  const RepairedText a = RepairText(fast.data(), std::uint32_t(fast.size()));
  const RepairedText b = RepairTextPlain(plain.data(), std::uint32_t(plain.size()));
  fuzz::Check(a.length == b.length && a.lastCharPos == b.lastCharPos &&
                  std::equal(fast.begin(), fast.begin() + a.length, plain.begin()),
              "both text readers repair alike");

  platform.files.files["/f"] = file;
  fuzz::Check(DetectOpenMode("/f") == mode, "the mode read from the file is that of its first 32 bytes");
  gProcess.nextDocKind = text ? kTextDoc : kBinaryDoc;
  CVeskDoc doc;
  doc.Format().charsPerLine = kWidths[(setup >> 3) & 3];
  doc.Layout().wordWrap = setup & 0x20;
  doc.Layout().kinsoku = setup & 0x40;
  doc.Layout().hanging = "\x81\x41\x81\x42,.";
  fuzz::Check(doc.OnOpenDocument("/f"), "a readable file opens");
  fuzz::Check(doc.TextLength() <= std::min<std::uint64_t>(file.size(), gProcess.maxBytes - 3), "the limit holds");
  if (!text) {
    for (std::uint32_t i = 0; i < doc.TextLength(); ++i)
      fuzz::Check(doc.ByteAt(i) == bytes[i], "a binary document holds the file's bytes");
    return 0;
  }
  CheckText(doc);
  CheckRows(doc);

  fuzz::Input script(reinterpret_cast<const std::uint8_t*>(edits.data()), edits.size());
  for (int step = 0; step < 8 && !script.Empty(); ++step) {
    const std::uint8_t op = script.Byte();
    const std::uint32_t length = doc.TextLength();
    const std::uint32_t pos = length ? (script.Byte() | script.Byte() << 8) % (length + 1) : 0;
    if (op & 1) {
      doc.DeleteText(pos, 1 + op / 2 % 8);
    } else {
      static const std::string kPieces[] = {"a", "\r\n", "\x88\x9f", "word ", "\x81\x42", "\t"};
      const std::string& piece = kPieces[op / 2 % 6];
      doc.InsertText(pos, reinterpret_cast<const std::uint8_t*>(piece.data()), std::uint32_t(piece.size()));
    }
    CheckRows(doc);
  }
  return 0;
}
