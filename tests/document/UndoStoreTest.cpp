#include <array>
#include <deque>
#include <random>

#include "DocSupport.h"
#include "core/document/CVeskRD.h"
#include "core/res/MessageIds.h"

namespace quarn::doctests {
namespace {

// A document holding 70,000 bytes whose value tells their position, so that
// a record's copy shows where it was taken from.
class UndoStore : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::uint32_t n = 70000;
    for (std::uint32_t i = 0; i < n; ++i) text.push_back(std::uint8_t(i * 7 + i / 251));
    ASSERT_NE(doc.Store().Reserve(n), 2);
    doc.Store().Write(0, text.data(), n);
    doc.SetTextLength(n, n - 1);
  }
  int Push(std::uint32_t type, std::uint32_t pos, std::uint32_t len, bool clearRedo = true) {
    return CVeskRD::Push(doc, doc.Undo(), type, pos, len, clearRedo);
  }
  // Records that go in without asking: type, position, length.
  void PushAll(std::initializer_list<std::array<std::uint32_t, 3>> records) {
    for (const auto& [type, pos, len] : records) ASSERT_EQ(Push(type, pos, len), 2) << type << " at " << pos;
  }
  Bytes DataOf(const CVeskRD& store, std::uint32_t i) const {
    const std::uint8_t* data = store.DataOf(store.At(i));
    return data ? Bytes(data, data + store.At(i).length) : Bytes();
  }
  Bytes TextAt(std::uint32_t pos, std::uint32_t len) const {
    return Bytes(text.begin() + pos, text.begin() + pos + len);
  }

  fakes::FakePlatform platform;
  CVeskDoc doc;
  Bytes text;
};

// The question and a cancel are the binary window test's; here what each answer leaves of the histories.
TEST_F(UndoStore, RecordLargerThanTheAreaAsksWhetherToGoOnWithoutUndo) {
  CVeskRD& undo = doc.Undo();
  PushAll({{CVeskRD::kDeleted, 0, 100}});
  ASSERT_EQ(CVeskRD::Push(doc, doc.Redo(), CVeskRD::kInserted, 5, 1, false), 2);
  platform.messages.answers = {answer::kCancel, answer::kOk};
  EXPECT_EQ(Push(CVeskRD::kDeleted, 0, 40000), 0);
  EXPECT_EQ(std::tuple(undo.Count(), DataOf(undo, 0), doc.Redo().CanUse()), std::tuple(1u, TextAt(0, 100), true));
  // OK: the edit goes on without undo; the new edit also ends redo.
  EXPECT_EQ(Push(CVeskRD::kOverwrittenOld, 0, 32769), 1);
  EXPECT_EQ(std::tuple(undo.CanUse(), undo.BytesUsed(), doc.Redo().CanUse()), std::tuple(false, 0u, false));
  // Insertions hold no bytes and never ask; a record of exactly the area's size fits, and only it remains.
  PushAll({{CVeskRD::kInserted, 0, 40000}, {CVeskRD::kDeleted, 0, 100}, {CVeskRD::kDeleted, 1000, 32768}});
  EXPECT_EQ(std::tuple(undo.Count(), DataOf(undo, 0)), std::tuple(1u, TextAt(1000, 32768)));
}

// The store against a plain list of records with their own copies of the bytes, under random pushes and pops.
TEST_F(UndoStore, RandomPushesAndPopsMatchAPlainModel) {
  struct Model {
    std::uint32_t type, position;
    Bytes data;
  };
  std::deque<Model> model;
  std::mt19937 rng(12345);
  CVeskRD& undo = doc.Undo();
  const auto holds = [](std::uint32_t type) { return type == 2 || type == 3 || type == 5; };
  const auto modelBytes = [&model] {
    std::uint32_t used = 0;
    for (const Model& m : model) used += std::uint32_t(m.data.size());
    return used;
  };
  const auto dropFront = [&model] {
    model.pop_front();
    while (!model.empty() && (model.front().type == 4 || model.front().type == 6)) model.pop_front();
  };
  for (int step = 0; step < 4000; ++step) {
    SCOPED_TRACE(step);
    if (rng() % 8 == 0 && !model.empty()) {
      undo.PopLast();
      model.pop_back();
    } else {
      const std::uint32_t type = 1 + rng() % 6;
      const std::uint32_t length = rng() % 3 == 0 ? rng() % 9000 : rng() % 40;
      const std::uint32_t pos = rng() % (std::uint32_t(text.size()) - length);
      // Oldest first: a full table loses one record, then the area makes room.
      if (model.size() >= CVeskRD::kMaxRecords) dropFront();
      while (holds(type) && !model.empty() && undo.Capacity() - modelBytes() < length) dropFront();
      model.push_back({type, pos, holds(type) ? TextAt(pos, length) : Bytes()});
      ASSERT_EQ(Push(type, pos, length), 2);
    }
    ASSERT_EQ(std::pair(undo.Count(), undo.BytesUsed()), std::pair(std::uint32_t(model.size()), modelBytes()));
    for (std::uint32_t i = 0, offset = 0; i < undo.Count(); ++i) {
      const CVeskRD::Record& r = undo.At(i);
      ASSERT_EQ(std::tuple(r.type, r.position, r.dataOffset, DataOf(undo, i)),
                std::tuple(model[i].type, model[i].position, holds(r.type) ? offset : CVeskRD::kNoData, model[i].data))
          << "record " << i;
      offset += holds(r.type) ? r.length : 0;
    }
  }
}

}  // namespace
}  // namespace quarn::doctests
