#include "dfs_data.h"

#include <algorithm>
#include <memory>

#include "command_line.h"
#include "dfs_time_axis.h"
#include "dfs_values.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_timestep.h"
#include "open_file.h"
#include "progress.h"
#include "qty/qty.h"
#include "unit_labels.h"

namespace kfsdump {

namespace {

std::string Quoted(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string ColumnName(LPITEM item) {
  int unit = 0;
  const char *name = nullptr, *unitText = nullptr, *abbreviation = nullptr;
  dfsGetItemInfo(item, nullptr, nullptr, &name, &unit, nullptr, nullptr);
  dfsGetItemInfo_(item, nullptr, nullptr, &unitText, nullptr);
  std::string label;
  if (unitText && *unitText) {
    label = unitText;
  } else if (qtyGetUnitAbbreviation(unit, &abbreviation) && abbreviation && *abbreviation) {
    label = abbreviation;
  } else {
    label = UnitLabel(unit, nullptr);
  }
  return std::string(name ? name : "") + " [" + label + "]";
}

struct Table {
  std::vector<int> items;
  std::vector<std::unique_ptr<ItemValues>> values;  // by position in `items`
  size_t rows = 1;                                  // elements of the longest item
};

void WriteHeaderRow(const OpenDataFile& file, const Table& table, std::FILE* out) {
  std::string row = table.rows > 1 ? "time,element" : "time";
  for (int number : table.items) row += "," + Quoted(ColumnName(dfsItemD(file.h, number)));
  std::fprintf(out, "%s\n", row.c_str());
}

void WriteStep(const Table& table, const std::string& time, std::FILE* out) {
  for (size_t element = 0; element < table.rows; ++element) {
    std::string row = Quoted(time);
    if (table.rows > 1) row += "," + std::to_string(element);
    for (const auto& values : table.values) {
      row += ",";
      if (element < values->Count()) row += values->Text(element);
    }
    row += "\n";
    std::fwrite(row.data(), 1, row.size(), out);
  }
}

// Reads one step into the table's buffers; the step's time in axis units
// from the start (the tag's time on non-equidistant axes).
double ReadStep(const OpenDataFile& file, const Table& table, const TimeAxis& axis,
                long long step) {
  double time = 0.0;
  for (int number = 1; number <= dfsGetNoOfItems(file.h); ++number) {
    const auto selected = std::find(table.items.begin(), table.items.end(), number);
    int status = 0;
    if (selected == table.items.end()) {
      status = dfsSkipItem(file.h, file.f);
    } else {
      status = dfsReadItemTimeStep(file.h, file.f, &time,
                                   table.values[selected - table.items.begin()]->Data());
    }
    if (status != 0) {
      throw FileFailure("item " + std::to_string(number) + " of step " + std::to_string(step),
                        static_cast<unsigned>(status));
    }
  }
  return axis.IsEquidistant() ? axis.EquidistantTime(static_cast<int>(step)) : time;
}

Table MakeTable(const OpenDataFile& file, const std::vector<int>& items, long long fileSize) {
  Table table;
  const int count = dfsGetNoOfItems(file.h);
  table.items = items;
  if (table.items.empty()) {
    for (int n = 1; n <= count; ++n) table.items.push_back(n);
  }
  for (int number : table.items) {
    if (number > count) {
      throw tools::Failure("no item " + std::to_string(number) + " (the file has " +
                           std::to_string(count) + ")");
    }
    table.values.push_back(StepValues(file.h, number, fileSize));
    table.rows = std::max(table.rows, table.values.back()->Count());
  }
  return table;
}

}  // namespace

void WriteDataCsv(const std::string& path, const std::vector<int>& items, const StepRange& steps,
                  std::FILE* out) {
  OpenDataFile file(path);
  const TimeAxis axis(file.h);
  const Table table = MakeTable(file, items, FileSize(path));
  const long long last = steps.last < 0 ? axis.Steps() - 1 : steps.last;
  if (axis.Steps() > 0 && (steps.first >= axis.Steps() || last >= axis.Steps())) {
    throw tools::Failure("no step " + std::to_string(std::max(steps.first, last)) +
                         " (the file has " + std::to_string(axis.Steps()) + ")");
  }
  WriteHeaderRow(file, table, out);
  if (axis.Steps() == 0 || steps.first > last) return;
  const int found = dfsFindTimeStep(file.h, file.f, static_cast<int>(steps.first));
  if (found != 0) throw FileFailure("step " + std::to_string(steps.first), found);
  tools::Progress progress("step", last - steps.first + 1);
  for (long long step = steps.first; step <= last; ++step) {
    const double time = ReadStep(file, table, axis, step);
    WriteStep(table, axis.TimeText(time), out);
    progress.Update(step - steps.first + 1);
  }
}

}  // namespace kfsdump
