#include "DocSupport.h"
#include "core/document/AttributeFile.h"
#include "core/res/MessageIds.h"

namespace quarn::doctests {
namespace {

using namespace std::string_literals;

const std::string kText = "ab\r\ncd\r\nefgh\r\nij";
const std::string kHeader(kAttributeHeader);

std::string U16(unsigned v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string U32(std::uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }

TEST(AttributeFileName, ReplacesAnExtensionFoundInTheLastFourCharacters) {
  const struct {
    const char* text;
    const char* attribute;
  } cases[] = {
      {"/d/a.txt", "/d/a.ATR"},       {"/d/a.c", "/d/a.ATR"},         {"/d/a", "/d/a.ATR"},
      {"/d/a.html", "/d/a.html.ATR"}, {"/d.x/a", "/d.x/a.ATR"},       {"/d/a.ATR", ""},
      {"/d/b.atr", ""},               {"/d/b.Atr.txt", "/d/b.Atr.ATR"}, {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AttributeFileName(c.text), c.attribute) << c.text;
}

class AttributeFileTest : public DocTest {
 protected:
  std::unique_ptr<CVeskDoc> Open(const std::string& path) {
    auto doc = NewDoc(kTextDoc);
    EXPECT_TRUE(doc->OnOpenDocument(path));
    return doc;
  }
  std::unique_ptr<CVeskDoc> WithMarks() {
    platform.files.files["/t/a.txt"] = kText;
    auto doc = Open("/t/a.txt");
    doc->Marks().AddLineMark(DocumentMarks::kFirstLine);
    doc->Marks().AddLineMark(6);
    return doc;
  }
  AttributeCheck Check(const std::string& bytes, AttributeMarks* out = nullptr) {
    AttributeMarks marks;
    const auto isCr = [](std::uint32_t pos) { return kText[pos] == '\r'; };
    const AttributeCheck result = ParseAttributeFile(bytes, std::uint32_t(kText.size()), isCr, marks);
    if (out) *out = marks;
    return result;
  }
};

TEST_F(AttributeFileTest, TwoLineMarksMakeTheFortyTwoByteFile) {
  auto doc = WithMarks();
  ASSERT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  const std::string expected = kHeader + U16(2) + U32(0xFFFFFFFE) + U32(6) + U16(0);
  EXPECT_EQ(platform.files.files["/t/a.ATR"], expected);
  EXPECT_EQ(expected.size(), 42u);
  // The marks come back when the file is opened again.
  doc->Marks().AddCharMark(9, "fg");
  doc->Marks().AddCharMark(0, "a");
  ASSERT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  auto again = Open("/t/a.txt");
  EXPECT_EQ(again->Marks().LineMarks(), doc->Marks().LineMarks());
  EXPECT_EQ(again->Marks().CharMarks(), doc->Marks().CharMarks());
  EXPECT_TRUE(platform.messages.shown.empty());
  // A text shortened since opens without the marks and says so.
  platform.files.files["/t/a.txt"] = kText.substr(0, 5);
  EXPECT_TRUE(Open("/t/a.txt")->Marks().Empty());
  EXPECT_TRUE(platform.Shown(msg::kAttributeMismatch));
  // Line marks not saved: their count is 0, the character marks follow.
  doc->Marks().RemoveCharMark(0);
  doc->Format().saveLineMarks = false;
  ASSERT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_EQ(platform.files.files["/t/a.ATR"], kHeader + U16(0) + U16(1) + U32(9) + "fg\0"s);
  // Neither saved: the file is left as it is.
  doc->Format().saveCharMarks = false;
  platform.files.files["/t/a.ATR"] = "kept";
  ASSERT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_EQ(platform.files.files["/t/a.ATR"], "kept");
}

TEST_F(AttributeFileTest, TheLastMarkRemovedDeletesOurFileAndNeverAForeignOne) {
  auto doc = WithMarks();
  ASSERT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  doc->Marks().ClearLineMarks();
  ASSERT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_FALSE(platform.files.exists("/t/a.ATR"));

  platform.files.files["/t/a.ATR"] = "someone else's";
  ASSERT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_EQ(platform.files.files["/t/a.ATR"], "someone else's");
  // With marks, a foreign file is replaced only when the user agrees.
  doc->Marks().AddLineMark(2);
  doc->SetModifiedFlag(true);
  platform.messages.answers = {answer::kCancel};
  EXPECT_FALSE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_TRUE(platform.Shown(msg::kAttributeForeignFile));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(platform.files.files["/t/a.ATR"], "someone else's");
  EXPECT_EQ(platform.files.files["/t/a.txt"], kText);  // the text itself was saved
  platform.messages.answers = {answer::kOk};
  EXPECT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_EQ(platform.files.files["/t/a.ATR"].substr(0, 30), kHeader);
}

TEST_F(AttributeFileTest, FailuresShowTheirMessages) {
  auto doc = WithMarks();
  platform.files.failingWrites.insert("/t/a.ATR");
  EXPECT_FALSE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_TRUE(platform.Shown(msg::kAttributeWriteFailed));
  platform.files.files["/t/x.atr"] = kText;
  platform.messages.shown.clear();
  auto atr = Open("/t/x.atr");
  EXPECT_TRUE(platform.messages.shown.empty());
  atr->Marks().AddLineMark(2);
  EXPECT_FALSE(atr->OnSaveDocument("/t/x.atr"));
  EXPECT_TRUE(platform.Shown(msg::kAttributeSameExtension));
  platform.files.files["/t/u.txt"] = kText;
  platform.files.files["/t/u.ATR"] = kHeader + U16(0) + U16(0);
  platform.files.unreadable.insert("/t/u.ATR");
  auto unreadable = Open("/t/u.txt");
  EXPECT_TRUE(platform.Shown(msg::kAttributeReadFailed));
}

TEST_F(AttributeFileTest, TheReaderChecksEverythingBeforeTakingAnything) {
  const std::string marks = U16(1) + U32(2);
  const struct {
    std::string bytes;
    AttributeCheck result;
  } cases[] = {
      {kHeader.substr(0, 29), AttributeCheck::kNotOurs},
      {"KTR Sorva Attribute File 101\r\n" + U16(0) + U16(0), AttributeCheck::kNotOurs},
      {kHeader + U16(0) + U16(0), AttributeCheck::kValid},
      {kHeader + marks + U16(1) + U32(8) + "ef\0"s + "trailing", AttributeCheck::kValid},
      {kHeader, AttributeCheck::kInvalid},                                  // no counts
      {kHeader + U16(1) + U32(2), AttributeCheck::kInvalid},                // no character count
      {kHeader + U16(2) + U32(2), AttributeCheck::kInvalid},                // value cut off
      {kHeader + U16(101) + std::string(404, '\xFE') + U16(0), AttributeCheck::kInvalid},
      {kHeader + U16(1) + U32(3) + U16(0), AttributeCheck::kInvalid},       // not on a CR
      {kHeader + U16(1) + U32(16) + U16(0), AttributeCheck::kInvalid},      // beyond the text
      {kHeader + U16(0) + U16(1) + U32(16) + "j\0"s, AttributeCheck::kInvalid},
      {kHeader + U16(0) + U16(1) + U32(0) + "\0"s, AttributeCheck::kInvalid},
      {kHeader + U16(0) + U16(1) + U32(0) + std::string(81, 'a') + "\0"s, AttributeCheck::kInvalid},
      {kHeader + U16(0) + U16(1) + U32(0) + std::string(80, 'a') + "\0"s, AttributeCheck::kValid},
      {kHeader + U16(0) + U16(1) + U32(0) + "ab", AttributeCheck::kInvalid},  // no NUL
      {kHeader + U16(0) + U16(101), AttributeCheck::kInvalid},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Check(cases[i].bytes), cases[i].result) << "case " << i;
  AttributeMarks read;
  ASSERT_EQ(Check(kHeader + marks + U16(1) + U32(8) + "ef\0"s, &read), AttributeCheck::kValid);
  EXPECT_EQ(read.lines, std::vector<std::uint32_t>{2});
  ASSERT_EQ(read.chars.size(), 1u);
  EXPECT_EQ(read.chars[0].Text(), "ef");
}

}  // namespace
}  // namespace quarn::doctests
