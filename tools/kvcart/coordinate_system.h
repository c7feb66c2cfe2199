// The coordinate systems of kvcart's command line: a name of the projection
// database ("UTM-32", "LONG/LAT", a state plane zone), well-known text, or
// "@FILE" for the well-known text of a .prj file.
#ifndef TOOLS_KVCART_COORDINATE_SYSTEM_H
#define TOOLS_KVCART_COORDINATE_SYSTEM_H

#include <memory>
#include <string>

class CKvMapProjection;

namespace kvcart {

// Fills the projection database once: the shipped definitions, found as the
// unit table is, and the user's own from customFolder when it is not empty.
void SetUpDatabase(const std::string& customFolder);

// The projection string an argument stands for: the text of "@FILE" (its
// end of line and trailing blanks removed), else the argument itself.
// Failure for a file that cannot be read, is empty, or is far too large to
// be a coordinate system.
std::string ProjectionText(const std::string& argument);

struct CoordinateSystem {
  std::string argument;  // as given, for messages
  std::string text;      // the projection string
  std::shared_ptr<CKvMapProjection> projection;
};

// Resolves an argument against the database. Failure, naming the argument,
// for malformed well-known text, a name the database does not hold, the bare
// "UTM", and a definition whose ellipsoid is missing.
CoordinateSystem Resolve(const std::string& argument);

// True for longitude/latitude systems (degrees), false for projected ones
// (metres) and the local grid.
bool IsGeographical(const CoordinateSystem& system);

}  // namespace kvcart

#endif
