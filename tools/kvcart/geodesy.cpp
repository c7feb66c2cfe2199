#include "geodesy.h"

#include <cmath>

#include "KvCart/facade/CKvMapProjection.h"
#include "command_line.h"

namespace kvcart {

namespace {

void RequireLatitude(double lat) {
  if (std::fabs(lat) > 90.0) {
    throw tools::Failure("latitude " + std::to_string(lat) + " is beyond 90 degrees");
  }
}

}  // namespace

double Convergence(const CoordinateSystem& system, double lon, double lat) {
  RequireLatitude(lat);
  if (system.projection->IsLocal()) {
    throw tools::Failure("the local grid '" + system.argument + "' has no convergence");
  }
  const double convergence = system.projection->GetConvergence(lon, lat);
  if (!std::isfinite(convergence)) {
    throw tools::Failure("no convergence of '" + system.argument + "' at this point");
  }
  return convergence;
}

Geodesic Between(const CoordinateSystem& system, double lon1, double lat1, double lon2,
                 double lat2) {
  RequireLatitude(lat1);
  RequireLatitude(lat2);
  Geodesic g;
  if (!system.projection->GetDistance(lon1, lat1, lon2, lat2, g.distance, g.azimuth,
                                      g.backAzimuth) ||
      !std::isfinite(g.distance)) {
    throw tools::Failure("'" + system.argument + "' has no ellipsoid to measure on");
  }
  return g;
}

}  // namespace kvcart
