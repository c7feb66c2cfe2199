#include "KvCart/families/GeneratedDefinitions.h"

#include <algorithm>
#include <cmath>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/LocalGrid.h"
#include "KvCart/families/CKvGeographicalProjection.h"
#include "KvCart/families/CKvTransverseMercatorProjection.h"

namespace kvcart {

int UtmZoneOfLongitude(double lon) {
  if (!std::isfinite(lon)) return 0;
  double wrapped = (lon >= -180.0 && lon <= 180.0) ? lon : NormalizeLongitude(lon);
  int zone = static_cast<int>(std::floor(wrapped / 6.0)) + 31;
  return std::clamp(zone, 1, 60);
}

std::string UtmZoneName(int zone) { return "UTM-" + std::to_string(zone); }

double UtmCentralMeridian(int zone) { return 6.0 * zone - 183.0; }

CKvMapProjData* CreateUtmDefinition(int zone) {
  if (zone < 1 || zone > 60) return nullptr;
  return new CKvTransverseMercatorProjection(UtmZoneName(zone), kUtmBranch, "WE", 0.9996,
                                             UtmCentralMeridian(zone), 0.0, 500000.0, 0.0, false,
                                             false);
}

CKvMapProjData* CreateLocalGridDefinition() {
  return new CKvTransverseMercatorProjection(kLocalGridName, kNonUtmBranch, "", 0.0, 0.0, 0.0, 0.0,
                                             0.0, false, false);
}

CKvMapProjData* CreateLongLatDefinition() {
  return new CKvGeographicalProjection(kLongLatName, kNonUtmBranch, "", 0.0, false, false);
}

}  // namespace kvcart
