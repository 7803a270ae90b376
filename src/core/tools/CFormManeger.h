// Template formatting: a template file names the fields of a record (one
// "name,type" per line) and the selected bytes of a binary window are
// listed field by field. The manager keeps the history of template files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

struct TemplateField {
  std::string name;
  char kind = 'B';         // 'B', 'W', 'D', or 'n' for characters
  std::uint32_t size = 1;  // bytes the field takes
  friend bool operator==(const TemplateField&, const TemplateField&) = default;
};

constexpr std::size_t kMaxTemplateBytes = 65536;
constexpr std::size_t kMaxTemplateFields = 100;
constexpr std::uint32_t kMaxCharacterField = 10000;

// The fields of a template file's bytes (at most 100); lines without a type,
// with a type longer than 10000 characters or a count of 0 are left out.
std::vector<TemplateField> ReadTemplate(const std::uint8_t* bytes, std::size_t size);

// The table of one record: the template's path, a TAB, name, " = " and value
// per field, then two empty lines; every line ends in CR LF.
std::string FormatTable(const std::uint8_t* bytes, std::size_t length, const std::string& path,
                        const std::vector<TemplateField>& fields);

class CFormManeger {
 public:
  static constexpr std::size_t kHistoryEntries = 30;
  static constexpr std::size_t kMaxPath = 260;

  // Puts path first, removing equal names; the oldest falls off.
  void Add(const std::string& path);
  const std::vector<std::string>& History() const { return history_; }

  // The data file's block: a count and the names.
  std::vector<std::uint8_t> SaveBlock() const;
  // False, with the history unchanged, for a block that is not sound.
  bool LoadBlock(const std::uint8_t* data, std::size_t size);

 private:
  std::vector<std::string> history_;
};

extern CFormManeger gForm;

}  // namespace quarn
