// kvcart's descriptions: a coordinate system written as well-known text or
// PROJ.4, and the listings of the projection database and the ellipsoids.
#ifndef TOOLS_KVCART_DESCRIBE_H
#define TOOLS_KVCART_DESCRIBE_H

#include <string>

#include "coordinate_system.h"
#include "table.h"

namespace kvcart {

enum class Form { eOneLineWkt, eReadableWkt, eProj4 };

// The system in the form asked for. Failure when it has none: the local
// grid and the bare "LONG/LAT" have no well-known text, and PROJ.4 cannot
// express every kind with the same parameters.
std::string Describe(const CoordinateSystem& system, Form form);

// The definitions of the database whose names hold `part` (any case; all
// for an empty part): name, kind of projection, ellipsoid code.
tools::Table Definitions(const std::string& part);

// Every ellipsoid: code, name, semi-major axis (m), inverse flattening, and
// whether it is the user's own.
tools::Table Ellipsoids();

}  // namespace kvcart

#endif
