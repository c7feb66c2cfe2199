// kvcart: coordinate systems from the command line -- points converted from
// one system to another across datums, definitions as well-known text or
// PROJ.4, the projection database and its ellipsoids, grid convergence and
// geodesics.
#include <cstdio>
#include <string>
#include <vector>

#include "convert.h"
#include "coordinate_system.h"
#include "describe.h"
#include "geodesy.h"
#include "point_lines.h"
#include "tool_main.h"

namespace {

const char kUsage[] =
    "usage: kvcart [--custom FOLDER] COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  convert FROM TO         points read from standard input, one \"x y [z]\" per line,\n"
    "                          converted from system FROM to system TO (datums included)\n"
    "                          and written the same way; a point that cannot be\n"
    "                          converted is written \"* *\"\n"
    "  show [--pretty | --proj4] SYSTEM\n"
    "                          SYSTEM as one line of well-known text, as indented\n"
    "                          well-known text (--pretty), or as a PROJ.4 string\n"
    "  list [PART]             the definitions of the database (whose names hold PART):\n"
    "                          name, kind, ellipsoid code\n"
    "  ellipsoids              the ellipsoids: code, name, semi-major axis, 1/f\n"
    "  convergence SYSTEM LON LAT\n"
    "                          grid convergence of SYSTEM at the point, in degrees\n"
    "  distance [--system SYSTEM] LON1 LAT1 LON2 LAT2\n"
    "                          geodesic distance (m), azimuth at the first point and\n"
    "                          back azimuth at the second (degrees from north), on the\n"
    "                          ellipsoid of SYSTEM (default: LONG/LAT, WGS 84)\n"
    "\n"
    "A system is a name of the database (\"UTM-32\", \"LONG/LAT\", a state plane zone;\n"
    "see kvcart list), well-known text, or @FILE for the text of a .prj file.\n"
    "Geographical systems take and give longitude and latitude in degrees, projected\n"
    "ones easting and northing in metres; z is the height above the ellipsoid (m).\n"
    "\"LONG/LAT\" carries no datum: a conversion to or from it skips the datum step.\n"
    "For longitude and latitude on WGS 84 give the well-known text of that GEOGCS.\n"
    "Numbers are written in the shortest form that reads back to the same double.\n"
    "\n"
    "  --custom FOLDER  also read the user's definitions and ellipsoids\n"
    "                   (custom_projection.rcf, custom_ellipsoid.rcf) from FOLDER\n"
    "  --tsv            listings as tab-separated columns\n"
    "  -h, --help       this text\n"
    "      --version    the koracore release\n"
    "\n"
    "Exit status: 0 done, 1 failed (unknown system, malformed well-known text, a file\n"
    "not read, a line that is no point, points that could not be converted), 2 bad\n"
    "usage.\n";

void RequireCount(const std::vector<std::string>& arguments, size_t least, size_t most) {
  if (arguments.size() < least || arguments.size() > most) {
    throw tools::UsageError(arguments[0] + ": wrong number of arguments");
  }
}

void RefuseOption(const tools::CommandLine& line, const char* option, const char* command) {
  if (line.Has(option) && line.Arguments()[0] != command) {
    throw tools::UsageError(std::string(option) + " goes with " + command);
  }
}

double Number(const std::string& text, const char* what) { return tools::ParseNumber(text, what); }

int Convert(const std::vector<std::string>& arguments) {
  RequireCount(arguments, 3, 3);
  const kvcart::CoordinateSystem from = kvcart::Resolve(arguments[1]);
  const kvcart::CoordinateSystem to = kvcart::Resolve(arguments[2]);
  const long long failed = kvcart::ConvertPoints(from, to, stdin, stdout);
  if (failed > 0) {
    throw tools::Failure(std::to_string(failed) + (failed == 1 ? " point" : " points") +
                         " could not be converted");
  }
  return 0;
}

int Show(const tools::CommandLine& line) {
  RequireCount(line.Arguments(), 2, 2);
  if (line.Has("--pretty") && line.Has("--proj4")) {
    throw tools::UsageError("--pretty and --proj4 exclude each other");
  }
  const kvcart::Form form = line.Has("--proj4")    ? kvcart::Form::eProj4
                            : line.Has("--pretty") ? kvcart::Form::eReadableWkt
                                                   : kvcart::Form::eOneLineWkt;
  const std::string text = kvcart::Describe(kvcart::Resolve(line.Arguments()[1]), form);
  std::printf("%s\n", text.c_str());
  return 0;
}

int Convergence(const std::vector<std::string>& arguments) {
  RequireCount(arguments, 4, 4);
  const kvcart::CoordinateSystem system = kvcart::Resolve(arguments[1]);
  const double lon = Number(arguments[2], "longitude"), lat = Number(arguments[3], "latitude");
  std::printf("%s\n", kvcart::CoordinateText(kvcart::Convergence(system, lon, lat)).c_str());
  return 0;
}

int Distance(const tools::CommandLine& line) {
  const std::vector<std::string>& arguments = line.Arguments();
  RequireCount(arguments, 5, 5);
  double at[4];
  const char* names[4] = {"LON1", "LAT1", "LON2", "LAT2"};
  for (int i = 0; i < 4; ++i) at[i] = Number(arguments[i + 1], names[i]);
  const kvcart::CoordinateSystem system = kvcart::Resolve(line.Value("--system", "LONG/LAT"));
  const kvcart::Geodesic g = kvcart::Between(system, at[0], at[1], at[2], at[3]);
  std::printf("distance %s m\nazimuth %s\nback azimuth %s\n",
              kvcart::CoordinateText(g.distance).c_str(), kvcart::CoordinateText(g.azimuth).c_str(),
              kvcart::CoordinateText(g.backAzimuth).c_str());
  return 0;
}

int Listing(const tools::CommandLine& line) {
  const std::vector<std::string>& arguments = line.Arguments();
  tools::Table table({});
  if (arguments[0] == "list") {
    RequireCount(arguments, 1, 2);
    table = kvcart::Definitions(arguments.size() == 2 ? arguments[1] : "");
  } else {
    RequireCount(arguments, 1, 1);
    table = kvcart::Ellipsoids();
  }
  table.Write(stdout, line.Has("--tsv"));
  return 0;
}

int Run(const tools::CommandLine& line) {
  const std::vector<std::string>& arguments = line.Arguments();
  if (arguments.empty()) throw tools::UsageError("no command");
  const std::string& command = arguments[0];
  static const char* const kCommands[] = {"convert",    "show",        "list",
                                          "ellipsoids", "convergence", "distance"};
  bool known = false;
  for (const char* name : kCommands) known = known || command == name;
  if (!known) throw tools::UsageError("unknown command '" + command + "'");
  RefuseOption(line, "--pretty", "show");
  RefuseOption(line, "--proj4", "show");
  RefuseOption(line, "--system", "distance");
  if (line.Has("--tsv") && command != "list" && command != "ellipsoids") {
    throw tools::UsageError("--tsv goes with list and ellipsoids");
  }
  kvcart::SetUpDatabase(line.Value("--custom"));
  if (command == "convert") return Convert(arguments);
  if (command == "show") return Show(line);
  if (command == "convergence") return Convergence(arguments);
  if (command == "distance") return Distance(line);
  return Listing(line);
}

}  // namespace

int main(int argc, char** argv) {
  const tools::ToolInfo tool{"kvcart",
                             kUsage,
                             {{"--custom", true},
                              {"--tsv", false},
                              {"--pretty", false},
                              {"--proj4", false},
                              {"--system", true}}};
  return tools::RunTool(tool, argc, argv, Run);
}
