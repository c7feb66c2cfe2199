// qtyinfo: the unit table as the units library sees it, unit conversions,
// and the include files for other languages.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "listings.h"
#include "lookup.h"
#include "qty/qty.h"
#include "report.h"
#include "tool_main.h"

namespace {

const char kUsage[] =
    "usage: qtyinfo [--table FILE] [--tsv] COMMAND\n"
    "\n"
    "Commands:\n"
    "  units                 every unit: id, symbol, name, factor, offset, dimension\n"
    "  items [--filter F]    item types (of one filter): id, name, default unit,\n"
    "                        number of allowed units, decimals\n"
    "  filters               filters with the number of item types in each\n"
    "  allowed ITEM          the units item type ITEM allows (* marks its default)\n"
    "  unit UNIT             one unit in full\n"
    "  convert VALUE FROM TO VALUE converted from unit FROM to unit TO, printed in the\n"
    "                        shortest form that reads back to the same double\n"
    "  includes [FOLDER]     write the include files for C, Pascal, Fortran and C#\n"
    "                        and the listing of allowed units (default: here)\n"
    "\n"
    "A unit is given by id, abbreviation (\"ft\", \"°C\" or \"degC\"), name or ident, or as\n"
    "an expression of these (\"m^3/s\", \"kg/m^3\"); an item type or filter by id, ident\n"
    "or name.\n"
    "\n"
    "  --table FILE  read this unit table instead of the one the libraries find\n"
    "                (KORACORE_DATA, KORA_HOME, or the installation)\n"
    "  --tsv         listings as tab-separated columns\n"
    "  --filter F    with items: the item types of filter F\n"
    "  -h, --help    this text\n"
    "      --version the koracore release\n"
    "\n"
    "Exit status: 0 done, 1 failed (no unit table, unknown unit, units of different\n"
    "dimensions, files not written), 2 bad usage.\n";

// The loader's own messages (the table that does not parse, the places a
// missing table was looked for) become the one line of the failure.
void LoadTable(const tools::CommandLine& line) {
  const std::string table = line.Value("--table");
  tools::CapturedDiagnostics said;
  if (qtySetupLoad(table.empty() ? nullptr : table.c_str()) == 1) return;
  throw tools::Failure("cannot load the unit table: " + said.Text());
}

int Convert(const std::vector<std::string>& arguments) {
  if (arguments.size() != 4) throw tools::UsageError("convert takes VALUE FROM TO");
  const double value = tools::ParseNumber(arguments[1], "value");
  const int from = qtyinfo::FindUnit(arguments[2]);
  const int to = qtyinfo::FindUnit(arguments[3]);
  double result = 0.0;
  if (!qtyConvertUnit(from, to, &result, value)) {
    throw tools::Failure("cannot convert " + arguments[2] + " to " + arguments[3] +
                         ": the units have different dimensions (" + qtyinfo::DimensionText(from) +
                         ", " + qtyinfo::DimensionText(to) + ")");
  }
  std::printf("%s\n", tools::NumberText(result).c_str());
  return 0;
}

int WriteIncludes(const std::vector<std::string>& arguments) {
  if (arguments.size() > 2) throw tools::UsageError("includes takes at most one FOLDER");
  const std::string folder = arguments.size() == 2 ? arguments[1] : ".";
  struct stat status {};
  if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    throw tools::Failure("no folder " + folder);
  }
  // The writer writes into the current folder.
  if (chdir(folder.c_str()) != 0) throw tools::Failure("cannot enter " + folder);
  if (qtyWriteItemTypeIncludes() != 1)
    throw tools::Failure("the include files were not all written");
  for (const char* name : {"qtyDefine.c__", "qtyDefine.p__", "qtyDefine.f__", "qtyDefine.cs",
                           "qtyAllowedUnits.HTML"}) {
    std::printf("%s/%s\n", folder.c_str(), name);
  }
  return 0;
}

void RequireCount(const std::vector<std::string>& arguments, size_t count) {
  if (arguments.size() != count)
    throw tools::UsageError(arguments[0] + ": wrong number of arguments");
}

int Run(const tools::CommandLine& line) {
  const std::vector<std::string>& arguments = line.Arguments();
  if (arguments.empty()) throw tools::UsageError("no command");
  const std::string& command = arguments[0];
  if (line.Has("--filter") && command != "items")
    throw tools::UsageError("--filter goes with items");
  LoadTable(line);
  if (command == "convert") return Convert(arguments);
  if (command == "includes") return WriteIncludes(arguments);
  tools::Table table({});
  if (command == "units") {
    RequireCount(arguments, 1);
    table = qtyinfo::Units();
  } else if (command == "items") {
    RequireCount(arguments, 1);
    table =
        qtyinfo::ItemTypes(line.Has("--filter") ? qtyinfo::FindFilter(line.Value("--filter")) : 0);
  } else if (command == "filters") {
    RequireCount(arguments, 1);
    table = qtyinfo::Filters();
  } else if (command == "allowed") {
    RequireCount(arguments, 2);
    table = qtyinfo::AllowedUnits(qtyinfo::FindItemType(arguments[1]));
  } else if (command == "unit") {
    RequireCount(arguments, 2);
    table = qtyinfo::UnitDetails(qtyinfo::FindUnit(arguments[1]));
  } else {
    throw tools::UsageError("unknown command '" + command + "'");
  }
  table.Write(stdout, line.Has("--tsv"));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const tools::ToolInfo tool{
      "qtyinfo", kUsage, {{"--table", true}, {"--tsv", false}, {"--filter", true}}};
  return tools::RunTool(tool, argc, argv, Run);
}
