#include "DocSupport.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/document/OpenMode.h"
#include "core/document/TextReader.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"

namespace quarn::doctests {
namespace {

// The repairs, and the last character's start, which is the one a walk over the repaired text finds.
TEST(TextReaderTest, RepairsKeepEveryCrInAPairAndEveryLeadWithItsTrail) {
  const std::pair<std::string, std::string> cases[] = {
      {"ab\r", "ab"}, {"a\rb", "ab"}, {"a\r\nb", "a\r\nb"}, {"\r\r\r\n", "\r\n"}, {"", ""},
      {std::string("a\0b", 3), "a b"}, {"a\nb\tc\f", "a\nb\tc\f"},  // lone LF and controls stay
      {"x\x82", "x"},                // a lone lead byte at the end
      {"\x82\rz", "\x82 z"},         // CR as trail byte
      {"\x82\n", "\x82\n"},          // any other trail stays
      {"\x81\x81\x81", "\x81\x81"},  // the third byte is a lone lead
  };
  for (auto [text, repaired] : cases) {
    const RepairedText r = RepairText(reinterpret_cast<std::uint8_t*>(text.data()), std::uint32_t(text.size()));
    EXPECT_EQ(std::pair(text.substr(0, r.length), r.lastCharPos), std::pair(repaired, LastUnit(B(repaired))));
  }
}

// The fast reading skips to NUL and CR and works out character starts from the lead bytes before them; it must agree
// with the byte-by-byte reading on every text: a long one with scattered repairs, and short ones with runs of
// lead-range bytes before a NUL or CR.
TEST(TextReaderTest, FastReadingAgreesWithTheByteByByteReading) {
  const auto agree = [](std::string fast) {
    std::string plain = fast;
    const RepairedText a = RepairText(reinterpret_cast<std::uint8_t*>(fast.data()), std::uint32_t(fast.size()));
    const RepairedText b = RepairTextPlain(reinterpret_cast<std::uint8_t*>(plain.data()), std::uint32_t(plain.size()));
    return fast.substr(0, a.length) == plain.substr(0, b.length) && a.lastCharPos == b.lastCharPos;
  };
  std::uint32_t seed = 7;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
  std::string text;
  for (int i = 0; i < 200000; ++i) {
    const unsigned pick = next() % 40;
    text += pick == 0 ? '\0' : pick == 1 ? '\r' : pick == 2 ? '\n' : pick < 6 ? char(0x88) : char('a' + pick % 26);
  }
  ASSERT_TRUE(agree(text));
  const char alphabet[] = {'\0', '\r', '\n', char(0x81), char(0x9F), char(0xE0), 'a', char(0xB1)};
  seed = 11;
  for (int round = 0; round < 40000; ++round) {
    const bool rareCr = round % 2 == 1;  // few lone CRs: the fast path runs long
    text.clear();
    for (unsigned n = next() % 48; n > 0; --n) {
      const char c = alphabet[next() % 8];
      text += c;
      if (c == '\r' && rareCr && next() % 16 != 0) text += '\n';
    }
    ASSERT_TRUE(agree(text)) << "round " << round;
  }
}

class DocumentFileTest : public DocTest {
 protected:
  void TearDown() override {
    Documents().CloseAll();
    DocTest::TearDown();
  }
};

// Opening them as empty documents would let a save destroy them.
TEST_F(DocumentFileTest, AnUnreadableFileOrADirectoryGivesAMessageAndNoDocument) {
  platform.files.files["/locked"] = "x";
  platform.files.unreadable.insert("/locked");
  platform.files.directories.insert("/dir");
  for (const char* path : {"/locked", "/dir"}) EXPECT_FALSE(NewDoc(kBinaryDoc)->OnOpenDocument(path)) << path;
  EXPECT_EQ(platform.CountShown(msg::kOpenFailed), 2u);
}

TEST_F(DocumentFileTest, FilesOverTheLimitLoadTheirFirstPartAndOnlyGoToAnotherName) {
  gProcess.maxBytes = 65536;
  std::string big(100000, 'z');
  big[65532] = 'A';
  platform.files.files["/big"] = big;
  CVeskDoc* doc = OpenInMode(Documents(), "/big", kOpenBinary, false);
  ASSERT_TRUE(doc);
  // Read-only whatever the dialog's box said; the format refresh after opening keeps the width.
  EXPECT_EQ(std::tuple(doc->TextLength(), doc->ByteAt(65532), doc->IsWriteProtected(), doc->Format().charsPerLine),
            std::tuple(65533u, 'A', true, 16));
  EXPECT_TRUE(platform.Shown(msg::kTooManyChars));
  // Even unprotected and edited, Save and closing ask for a name and refuse the file's own.
  doc->SetWriteProtected(false);
  doc->Store().SetAt(0, 'e');
  doc->SetModifiedFlag(true);
  platform.messages.shown.clear();
  platform.dialogs.fileAnswers = {"/big", "", "/big"};
  EXPECT_FALSE(doc->DoFileSave());
  EXPECT_TRUE(platform.Shown(msg::kTooManyChars));
  EXPECT_FALSE(doc->DoFileSave());  // the dialog cancelled
  EXPECT_FALSE(doc->SaveModified());
  EXPECT_EQ(platform.dialogs.requests.size(), 3u);
  EXPECT_EQ(platform.files.files["/big"], big);
  platform.dialogs.fileAnswers = {"/part"};
  ASSERT_TRUE(doc->DoFileSave());
  EXPECT_EQ(platform.files.files["/part"], "e" + big.substr(1, 65532));
  EXPECT_EQ(platform.files.files["/big"], big);
  // The new file is the whole document: Save now writes it directly.
  EXPECT_FALSE(doc->IsCutShort());
  ASSERT_TRUE(doc->DoFileSave());
  EXPECT_EQ(platform.dialogs.requests.size(), 4u);
}

TEST_F(DocumentFileTest, FailedSavesAreReportedAndKeepTheDocumentModified) {
  auto doc = NewDoc(kBinaryDoc);
  Insert(*doc, 0, "abc");
  doc->SetModifiedFlag(true);
  platform.files.uncreatable.insert("/no/such");
  EXPECT_FALSE(doc->OnSaveDocument("/no/such"));
  EXPECT_TRUE(platform.Shown(msg::kInvalidFileName));
  // A failed save over an existing file leaves its old bytes, also through Save As; one under a new
  // name leaves no file behind.
  platform.files.files["/kept.bin"] = "old bytes";
  platform.files.failingWrites = {"/kept.bin", "/full.bin"};
  platform.dialogs.fileAnswers = {"/kept.bin", "/full.bin", "/ok.bin"};
  EXPECT_FALSE(doc->OnSaveDocument("/kept.bin"));
  EXPECT_TRUE(platform.Shown(msg::kSaveFailed));
  EXPECT_FALSE(doc->DoSave({}, true));
  EXPECT_FALSE(doc->DoSave({}, true));
  EXPECT_EQ(platform.files.files["/kept.bin"], "old bytes");
  EXPECT_FALSE(platform.files.exists("/full.bin"));
  EXPECT_EQ(std::pair(doc->IsModified(), doc->GetPathName()), std::pair(true, std::string()));
  EXPECT_TRUE(doc->DoSave({}, true));
  EXPECT_EQ(platform.files.files["/ok.bin"], "abc");
  EXPECT_EQ(std::pair(doc->IsModified(), doc->GetPathName()), std::pair(false, std::string("/ok.bin")));
  EXPECT_TRUE(doc->SaveModified());  // unmodified: nothing to ask
  doc->Store().SetAt(0, 'n');
  doc->SetModifiedFlag(true);
  platform.messages.shown.clear();
  platform.messages.answers = {answer::kCancel, answer::kNo, answer::kYes};
  EXPECT_FALSE(doc->SaveModified());
  EXPECT_TRUE(doc->SaveModified());
  EXPECT_EQ(platform.files.files["/ok.bin"], "abc");
  EXPECT_TRUE(doc->SaveModified());
  EXPECT_EQ(platform.files.files["/ok.bin"], "nbc");
  EXPECT_EQ(platform.messages.shown.size(), 3u);
}

// A text document shows its file through the reader's repairs; closing it
// with "yes" keeps only its marks and never writes those repairs back.
TEST_F(DocumentFileTest, ClosingAMarkedTextDocumentWritesItsMarksNotItsFile) {
  const std::pair<std::string, std::string> files[] = {{"line1\rline2\rline3\r", "line1line2line3"},
      {std::string("a\0b\r\n", 6), "a b\r\n "}, {"\x82\rz\r\n", "\x82 z\r\n"}, {"x\r\ny\x82", "x\r\ny"}};
  for (const auto& [file, shown] : files) {
    SCOPED_TRACE(file);
    platform.files.files.clear();
    platform.files.files["/t.txt"] = file;
    auto doc = NewDoc(kTextDoc);
    ASSERT_TRUE(doc->OnOpenDocument("/t.txt"));
    EXPECT_EQ(TextOf(*doc), shown);
    ASSERT_TRUE(doc->Marks().AddLineMark(DocumentMarks::kFirstLine));
    doc->SetModifiedFlag(true);
    EXPECT_TRUE(doc->SaveModified());  // the answer is "yes"
    EXPECT_EQ(platform.files.files["/t.txt"], file);
    EXPECT_TRUE(platform.files.exists("/t.ATR"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(platform.dialogs.requests.empty());
  }
  // A tool's output has no file: "yes" asks for a name and writes its text.
  auto output = NewDoc(kTextDoc);
  Insert(*output, 0, "out\r\n");
  output->SetModifiedFlag(true);
  platform.dialogs.fileAnswers = {"/out.txt"};
  EXPECT_TRUE(output->SaveModified());
  EXPECT_EQ(platform.files.files["/out.txt"], "out\r\n");
}

TEST_F(DocumentFileTest, AFileTheUserMayNotWriteOpensProtectedAndARefusedWriteSaysSo) {
  platform.files.files["/ro.bin"] = "abc";
  platform.files.readOnly.insert("/ro.bin");
  CVeskDoc* doc = OpenInMode(Documents(), "/ro.bin", kOpenBinary, false);
  ASSERT_TRUE(doc);
  EXPECT_TRUE(doc->IsWriteProtected());
  doc->Store().SetAt(0, 'x');
  platform.dialogs.fileAnswers = {"/ro.bin"};
  EXPECT_FALSE(doc->DoSave({}, true));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, std::string("/ro.bin") + (texts::kWriteRefused + 2));
  EXPECT_EQ(platform.files.files["/ro.bin"], "abc");
  // Save asks for a name instead of writing it.
  platform.dialogs.fileAnswers = {""};
  EXPECT_FALSE(doc->DoFileSave());
  EXPECT_EQ(platform.dialogs.requests.back().fileName, "/ro.bin");
}

TEST(OpenModeTest, FirstBytesDecideBetweenTextBinaryAndCabinet) {
  const std::pair<std::string, int> cases[] = {
      {"", 1}, {"plain text\twith\r\nline ends\f", 1}, {"escape \x1b[0m", 2},
      {std::string("\x02\0\0\x01\x64\0\0\0", 8), 3},  // version 1, two entries, settings at 100
      {std::string("\x02\0\0\x01\0\0\0\0", 8), 2},    // settings at 0: no cabinet
      {std::string("\x02\0\0\x01\x01\x78\0\0", 8), 2},  // settings past the buffer
  };
  for (const auto& [head, mode] : cases)
    EXPECT_EQ(DetectOpenModeOf(reinterpret_cast<const std::uint8_t*>(head.data()), head.size()), mode) << head;
  fakes::FakePlatform platform;
  platform.files.files["/bin"] = std::string(40, 'a') + "\x01";
  // Only the first 32 bytes count; a missing file is text.
  EXPECT_EQ(std::pair(DetectOpenMode("/bin"), DetectOpenMode("/missing")), std::pair(1, 1));
}

}  // namespace
}  // namespace quarn::doctests
