#pragma once

#include <cstddef>
#include <functional>

namespace k30 {

// Told how much of a long piece of work is done (total 0: not known in
// advance); returns false to stop it. Work stopped so leaves nothing half
// written: a file it was replacing keeps its old bytes.
using ProgressFn = std::function<bool(std::size_t done, std::size_t total)>;

// The error a writer gives when its progress function stopped it.
inline constexpr const char* kCancelledError = "cancelled; nothing was written";

}  // namespace k30
