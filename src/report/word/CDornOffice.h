#pragma once

namespace k30 {

// Base of the office automation classes.
class CDornOffice {
public:
    CDornOffice() = default;
    CDornOffice(const CDornOffice&) = default;
    CDornOffice& operator=(const CDornOffice&) = default;
    virtual ~CDornOffice() = default;
};

}  // namespace k30
