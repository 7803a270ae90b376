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
  const std::pair<const char*, const char*> cases[] = {  // the text's name, the attribute file's
      {"/d/a.txt", "/d/a.ATR"},       {"/d/a.c", "/d/a.ATR"},         {"/d/a", "/d/a.ATR"},
      {"/d/a.html", "/d/a.html.ATR"}, {"/d.x/a", "/d.x/a.ATR"},       {"/d/a.ATR", ""},
      {"/d/b.atr", ""},               {"/d/b.Atr.txt", "/d/b.Atr.ATR"}, {"", ""},
  };
  for (const auto& [text, attribute] : cases) EXPECT_EQ(AttributeFileName(text), attribute) << text;
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
  EXPECT_EQ(platform.files.files["/t/a.ATR"], kHeader + U16(2) + U32(0xFFFFFFFE) + U32(6) + U16(0));
  // The marks come back when the file is opened again.
  doc->Marks().AddCharMark(9, "fg");
  doc->Marks().AddCharMark(0, "a");
  ASSERT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  auto again = Open("/t/a.txt");
  EXPECT_EQ(std::tuple(again->Marks().LineMarks(), again->Marks().CharMarks(), platform.messages.shown.size()),
            std::tuple(doc->Marks().LineMarks(), doc->Marks().CharMarks(), 0u));
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
  platform.messages.answers = {answer::kCancel, answer::kOk};
  EXPECT_FALSE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_EQ(std::pair(platform.Shown(msg::kAttributeForeignFile), doc->IsModified()), std::pair(true, true));
  EXPECT_EQ(platform.files.files["/t/a.ATR"], "someone else's");
  EXPECT_EQ(platform.files.files["/t/a.txt"], kText);  // the text itself was saved
  EXPECT_TRUE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_EQ(platform.files.files["/t/a.ATR"].substr(0, 30), kHeader);
}

TEST_F(AttributeFileTest, FailuresShowTheirMessages) {
  auto doc = WithMarks();
  platform.files.failingWrites.insert("/t/a.ATR");
  EXPECT_FALSE(doc->OnSaveDocument("/t/a.txt"));
  EXPECT_TRUE(platform.Shown(msg::kAttributeWriteFailed));
  // A text named like an attribute file opens quietly but cannot keep marks.
  platform.files.files["/t/x.atr"] = kText;
  auto atr = Open("/t/x.atr");
  atr->Marks().AddLineMark(2);
  EXPECT_FALSE(atr->OnSaveDocument("/t/x.atr"));
  EXPECT_EQ(platform.messages.shown.size(), 2u);
  EXPECT_TRUE(platform.Shown(msg::kAttributeSameExtension));
  platform.files.files["/t/u.txt"] = kText;
  platform.files.files["/t/u.ATR"] = kHeader + U16(0) + U16(0);
  platform.files.unreadable.insert("/t/u.ATR");
  Open("/t/u.txt");
  EXPECT_TRUE(platform.Shown(msg::kAttributeReadFailed));
}

TEST_F(AttributeFileTest, TheReaderChecksEverythingBeforeTakingAnything) {
  using enum AttributeCheck;
  const std::string line2 = U16(1) + U32(2);                      // one line mark, on the CR at 2
  const std::string char0 = kHeader + U16(0) + U16(1) + U32(0);  // one character mark at 0, its text follows
  const std::pair<std::string, AttributeCheck> cases[] = {
      {kHeader.substr(0, 29), kNotOurs},
      {"KTR Sorva Attribute File 101\r\n" + U16(0) + U16(0), kNotOurs},
      {kHeader + U16(0) + U16(0), kValid},
      {kHeader + line2 + U16(1) + U32(8) + "ef\0"s + "trailing", kValid},
      {kHeader, kInvalid},                                            // no counts
      {kHeader + line2, kInvalid},                                    // no character count
      {kHeader + U16(2) + U32(2), kInvalid},                          // value cut off
      {kHeader + U16(101) + std::string(404, '\xFE') + U16(0), kInvalid},
      {kHeader + U16(1) + U32(3) + U16(0), kInvalid},                 // not on a CR
      {kHeader + U16(1) + U32(16) + U16(0), kInvalid},                // beyond the text
      {kHeader + U16(0) + U16(1) + U32(16) + "j\0"s, kInvalid},
      {char0 + "\0"s, kInvalid},                        {char0 + std::string(81, 'a') + "\0"s, kInvalid},
      {char0 + std::string(80, 'a') + "\0"s, kValid},  {char0 + "ab", kInvalid},  // no NUL
      {kHeader + U16(0) + U16(101), kInvalid},
  };
  for (const auto& [bytes, result] : cases) EXPECT_EQ(Check(bytes), result) << ::testing::PrintToString(bytes);
  AttributeMarks read;
  ASSERT_EQ(Check(kHeader + line2 + U16(1) + U32(8) + "ef\0"s, &read), kValid);
  EXPECT_EQ(std::tuple(read.lines, read.chars.size(), read.chars.at(0).Text()),
            std::tuple(std::vector<std::uint32_t>{2}, 1u, "ef"));
}

}  // namespace
}  // namespace quarn::doctests
