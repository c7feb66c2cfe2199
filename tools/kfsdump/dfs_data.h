// Time-step values of a data file as CSV (--data).
//
// One header row, then one row per step, or per step and element when an
// item holds more than one value per step:
//   time,element,Water level [m],Current speed [m/s]
//   2024-11-01T00:00:00,0,-0.371,0.137
// Times are ISO 8601 on calendar axes and seconds on relative ones; values
// are written in the shortest form that reads back to the stored value;
// missing values (the delete value of the item's type) are empty fields;
// an item with fewer elements than another leaves its later fields empty.
#ifndef TOOLS_KFSDUMP_DFS_DATA_H
#define TOOLS_KFSDUMP_DFS_DATA_H

#include <cstdio>
#include <string>
#include <vector>

#include "selection.h"

namespace kfsdump {

// `items` empty: all items. Throws tools::Failure when the file cannot be
// read or a selected item or step does not exist.
void WriteDataCsv(const std::string& path, const std::vector<int>& items, const StepRange& steps,
                  std::FILE* out);

}  // namespace kfsdump

#endif
