#pragma once

#include <string_view>

namespace k30 {

class TestDataStore;

// Turns a complete transfer text into the store's K30 and Ev2 lists, their
// counts and the instrument number. Never reports anything: a transfer it cannot use
// simply yields fewer points. Damaged text (non-hexadecimal digits, cut
// sections) is read within bounds; a field made of non-digits reads as 0.
void DecodeTransfer(std::string_view text, TestDataStore& store);

}  // namespace k30
