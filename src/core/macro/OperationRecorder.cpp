#include "core/macro/OperationRecorder.h"

namespace quarn {
namespace {

RecordSink& Sink() {
  static RecordSink sink;
  return sink;
}

}  // namespace

void SetRecordSink(RecordSink sink) { Sink() = std::move(sink); }

void RecordOperation(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) {
  if (Sink()) Sink()(type, id, data);
}

}  // namespace quarn
