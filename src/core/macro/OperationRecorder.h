// Where recordable operations report themselves while they run. Until a
// recording is started nothing listens and the calls cost nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace quarn {

using RecordSink = std::function<void(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data)>;

// Installs the listener (an empty function stops listening).
void SetRecordSink(RecordSink sink);
void RecordOperation(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data = {});

}  // namespace quarn
