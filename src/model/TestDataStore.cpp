#include "TestDataStore.h"

#include <algorithm>

namespace k30 {

std::size_t TestDataStore::ValidCount() const
{
    if (nK30Count <= 0)
        return 0;
    return std::min<std::size_t>(static_cast<std::size_t>(nK30Count), k30List.size());
}

std::optional<std::size_t> TestDataStore::FindK30PointByName(const std::string& name) const
{
    const std::size_t n = ValidCount();
    for (std::size_t k = 0; k < n; ++k) {
        if (k30List[k].name == name)
            return k;
    }
    return std::nullopt;
}

}  // namespace k30
