// kvcart's geodesy: grid convergence of a projection at a point, and the
// geodesic between two points on an ellipsoid. Angles in degrees, clockwise
// from north; distances in metres.
#ifndef TOOLS_KVCART_GEODESY_H
#define TOOLS_KVCART_GEODESY_H

#include <string>

#include "coordinate_system.h"

namespace kvcart {

// The convergence at (lon, lat): the angle from true north to the grid's
// north there. Failure for a system without projection (the local grid).
double Convergence(const CoordinateSystem& system, double lon, double lat);

struct Geodesic {
  double distance = 0.0;     // metres
  double azimuth = 0.0;      // at the first point, towards the second
  double backAzimuth = 0.0;  // at the second point, towards the first
};

// The geodesic between two points on the ellipsoid of `system` (WGS 84 for
// "LONG/LAT"). Failure when the system has no ellipsoid, or for a latitude
// beyond 90 degrees.
Geodesic Between(const CoordinateSystem& system, double lon1, double lat1, double lon2,
                 double lat2);

}  // namespace kvcart

#endif
