// Any bytes as the text of a raw file or a reception, decoded as Open and the
// read page decode them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "TestDataStore.h"
#include "TransferDecoder.h"
#include "TransferText.h"

using namespace k30;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TestDataStore store;
    store.nInstrumentNo = -1;
    DecodeTransfer(text, store);
    K30_FUZZ_CHECK(store.nK30Count >= 0 && store.nEv2Count >= 0);
    K30_FUZZ_CHECK(static_cast<std::size_t>(store.nK30Count) == store.k30List.size());

    // A text that differs from the written form only in white space and case
    // is read as that form, and the written form of its bytes is that form.
    if (const auto canonical = CanonicalTransferText(text)) {
        K30_FUZZ_CHECK(IsCanonicalTransferText(*canonical));
        const auto bytes = TransferTextToBytes(text);
        K30_FUZZ_CHECK(bytes && BytesToTransferText(*bytes) == *canonical);
        TestDataStore again;
        again.nInstrumentNo = -1;
        DecodeTransfer(*canonical, again);
        K30_FUZZ_CHECK(again.nK30Count == store.nK30Count && again.nEv2Count == store.nEv2Count);
        K30_FUZZ_CHECK(again.nInstrumentNo == store.nInstrumentNo && again.k30List == store.k30List);
    } else {
        K30_FUZZ_CHECK(!TransferTextToBytes(text));
    }
    return 0;
}
