// kvcart convert: points from one coordinate system to another, across
// datums, read as lines of "x y [z]" and written in the same form.
#ifndef TOOLS_KVCART_CONVERT_H
#define TOOLS_KVCART_CONVERT_H

#include <cstdio>

#include "coordinate_system.h"

namespace kvcart {

// Longitude and latitude in degrees for geographical systems, metres for
// projected ones; z is the height above the ellipsoid in metres. Converts
// every line of `in` to `out`; a point that cannot be converted (outside
// the projection's domain, a latitude beyond 90) is written as "* *" and
// counted. Returns the number of such points; throws tools::Failure for a
// line that is no point.
long long ConvertPoints(const CoordinateSystem& from, const CoordinateSystem& to, std::FILE* in,
                        std::FILE* out);

}  // namespace kvcart

#endif
