#include <gtest/gtest.h>

#include "core/tools/CFormManeger.h"

namespace quarn {
namespace {

std::vector<TemplateField> Read(const std::string& text) {
  return ReadTemplate(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string Table(const std::string& templ, const std::string& bytes) {
  return FormatTable(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), "t.txt", Read(templ));
}

TEST(TemplateTest, ValuesOfEachType) {
  const struct {
    const char* templ;
    std::string bytes;
    const char* value;
  } kCases[] = {
      {"size,W", "\x34\x12", "1234"},
      {"name,5", "AB\r\nC", "AB..C"},
      {"b, b", "\xfe", "FE"},
      {"d,D", std::string("\x78\x56\x34\x12", 4), "12345678"},
      {"short,D", "\x01\x02\x03", ""},
      {"n,3 ", "abcd", "abc"},
      {"lead,12x", "0123456789ABC", "0123456789AB"},
  };
  for (const auto& c : kCases) {
    const std::string name = std::string(c.templ).substr(0, std::string(c.templ).find(','));
    EXPECT_EQ(Table(c.templ, c.bytes), "t.txt\r\n\t" + name + " = " + c.value + "\r\n\r\n\r\n") << c.templ;
  }
}

TEST(TemplateTest, IgnoredLinesTheFieldLimitAndMovingThroughTheRecord) {
  EXPECT_EQ(Read("no type\r\nempty,\r\nzero,0\r\nword,x\r\nbig,10001\r\n").size(), 0u);
  std::string many;
  for (int i = 0; i < 120; ++i) many += "f,B\r\n";
  EXPECT_EQ(Read(many).size(), kMaxTemplateFields);
  EXPECT_EQ(Table("a,B\r\nb,W\r\nc,2\r\nd,B", "\x01\x02\x03xy"),
            "t.txt\r\n\ta = 01\r\n\tb = 0302\r\n\tc = xy\r\n\td = \r\n\r\n\r\n");
}

TEST(TemplateTest, HistoryKeepsThirtyDistinctNamesNewestFirstThroughItsBlock) {
  CFormManeger form;
  for (int i = 0; i < 35; ++i) form.Add("/t/" + std::to_string(i % 32));
  EXPECT_EQ(form.History().size(), CFormManeger::kHistoryEntries);
  EXPECT_EQ(form.History().front(), "/t/2");
  EXPECT_EQ(form.History()[1], "/t/1");
  const std::vector<std::uint8_t> block = form.SaveBlock();
  CFormManeger back;
  ASSERT_TRUE(back.LoadBlock(block.data(), block.size()));
  EXPECT_EQ(back.History(), form.History());
  EXPECT_FALSE(back.LoadBlock(block.data(), block.size() - 1));
  EXPECT_EQ(back.History(), form.History());
}

}  // namespace
}  // namespace quarn
