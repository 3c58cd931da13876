#include "SiteAddress.h"

namespace k30::site {
AddressParse ParseSiteAddress(const QString&) { return {}; }
QString DisplayAddress(const SiteAddress&) { return {}; }
QString UserDataFolder() { return {}; }
QString DefaultArchiveFolder() { return {}; }
QString DefaultSiteAddress() { return {}; }
QString ChooseSiteAddress(const QString&) { return {}; }
}  // namespace k30::site
