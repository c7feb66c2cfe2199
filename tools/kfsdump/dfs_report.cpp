#include "dfs_report.h"

#include <memory>

#include "dfs_axes.h"
#include "dfs_time_axis.h"
#include "dfs_values.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_stats.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "open_file.h"
#include "unit_labels.h"

namespace kfsdump {

namespace {

tools::Report Coded(int code, const char* name) {
  return tools::Report::Object().Set("code", code).Set("name", name);
}

tools::Report DeleteValues(LPHEAD h) {
  return tools::Report::Object()
      .Set("float", dfsGetDeleteValFloat(h))
      .Set("double", dfsGetDeleteValDouble(h))
      .Set("byte", static_cast<int>(dfsGetDeleteValByte(h)))
      .Set("integer", dfsGetDeleteValInt(h))
      .Set("unsigned", static_cast<long long>(dfsGetDeleteValUnsignedInt(h)));
}

tools::Report Projection(LPHEAD h) {
  const char* text = nullptr;
  double longitude = 0.0, latitude = 0.0, orientation = 0.0;
  if (dfsGetGeoInfoType(h) != F_UTM_PROJECTION ||
      dfsGetGeoInfoUTMProj(h, &text, &longitude, &latitude, &orientation) != 0) {
    return tools::Report::Object();
  }
  return tools::Report::Object()
      .Set("text", text)
      .Set("origin longitude", longitude)
      .Set("origin latitude", latitude)
      .Set("orientation", orientation);
}

tools::Report CustomBlocks(LPHEAD h) {
  tools::Report blocks = tools::Report::List();
  dfsCustomBlock* entry = nullptr;
  dfsGetCustomBlockRef(h, &entry);
  while (entry) {
    int type = 0, count = 0;
    const char* name = nullptr;
    dfsCustomBlock* next = nullptr;
    dfsGetCustomBlock(entry, &type, &name, &count, nullptr, &next);
    blocks.Add(tools::Report::Object()
                   .Set("name", name)
                   .Set("data type", Coded(type, dfsSimpleTypeStr(type)))
                   .Set("count", count));
    entry = next;
  }
  return blocks;
}

tools::Report Statistics(LPHEAD h, LPITEM item, int dataType) {
  double lowest = 0.0, highest = 0.0;
  int missing = 0;
  tools::Report statistics = tools::Report::Object();
  if (dfsGetItemStatsGlobal(item, &lowest, &highest, &missing) != 0) return statistics;
  if (lowest != dfsGetDeleteValDouble(h)) {
    if (dataType == kfsTypeFloat) {  // float values: shown as the floats they are
      statistics.Set("minimum", static_cast<float>(lowest))
          .Set("maximum", static_cast<float>(highest));
    } else {
      statistics.Set("minimum", lowest).Set("maximum", highest);
    }
  }
  return statistics.Set("missing", missing);
}

tools::Report StaticItems(LPHEAD h, kfsHandle f) {
  tools::Report items = tools::Report::List();
  int status = 0;
  for (int number = 1;; ++number) {
    LPITEM item = dfsStaticRead(f, &status);
    if (!item) break;
    tools::Report report = ItemReport(h, item, number, false);
    int dataType = 0;
    dfsGetItemInfo(item, nullptr, nullptr, nullptr, nullptr, nullptr, &dataType);
    ItemValues values(h, dataType, static_cast<size_t>(dfsGetItemElements(item)));
    if (dfsStaticGetData(item, values.Data()) == 0) report.Set("values", values.Summary());
    dfsStaticDestroy(&item);
    items.Add(std::move(report));
  }
  if (status != 0) throw FileFailure("its static items", status);
  return items;
}

// Reads the last item of the last step the header counts: a file cut short
// (a writer that stopped, a copy that did not finish) ends before it.
std::string LastStepProblem(const OpenDataFile& file, const std::string& path) {
  int steps = 0;
  dfsGetTimeAxisInfo(file.h, &steps, nullptr, nullptr);
  const int items = dfsGetNoOfItems(file.h);
  if (steps < 1 || items < 1) return std::string();
  const std::unique_ptr<ItemValues> values = StepValues(file.h, items, FileSize(path));
  int status = dfsFindItemDynamic(file.h, file.f, steps - 1, items);
  if (status == 0) status = dfsReadItemTimeStep(file.h, file.f, nullptr, values->Data());
  if (status == 0) return std::string();
  return "cut short: the header counts " + std::to_string(steps) +
         " time steps, and the last cannot be read: " + StatusText(static_cast<unsigned>(status));
}

}  // namespace

tools::Report HeaderReport(LPHEAD h) {
  const int fileType = dfsGetFileType(h);
  const int statsType = dfsGetItemStatsType(h);
  tools::Report header = tools::Report::Object();
  header.Set("file type", Coded(fileType, dfsFileTypeStr(fileType)))
      .Set("title", dfsGetFileTitle(h))
      .Set("application", dfsGetAppTitle(h))
      .Set("application version", dfsGetAppVersionNo(h))
      .Set("data type", dfsGetDataType(h))
      .Set("statistics type", statsType)
      .Set("delete values", DeleteValues(h))
      .Set("projection", Projection(h));
  if (dfsIsFileCompressed(h)) header.Set("encode key values", dfsGetEncodeKeySize(h));
  return header.Set("custom blocks", CustomBlocks(h));
}

tools::Report ItemReport(LPHEAD h, LPITEM item, int number, bool dynamic) {
  int itemType = 0, unit = 0, dataType = 0, valueType = 0;
  const char *name = nullptr, *unitText = nullptr;
  dfsGetItemInfo(item, &itemType, nullptr, &name, &unit, nullptr, &dataType);
  dfsGetItemInfo_(item, nullptr, nullptr, &unitText, nullptr);
  dfsGetItemValueType(item, &valueType);
  const bool textUnit = unitText && *unitText;
  tools::Report report = tools::Report::Object();
  report.Set("number", number)
      .Set("name", name)
      .Set("item type", ItemTypeReport(itemType))
      .Set("unit", UnitReport(textUnit ? -1 : unit, unitText))
      .Set("data type", Coded(dataType, dfsSimpleTypeStr(dataType)))
      .Set("elements", dfsGetItemElements(item))
      .Set("value type", valueType)
      .Set("axis", AxisReport(item));
  float x = 0, y = 0, z = 0, alpha = 0, phi = 0, theta = 0;
  dfsGetItemRefCoords(item, &x, &y, &z);
  dfsGetItemAxisOrientation(item, &alpha, &phi, &theta);
  tools::Report reference = tools::Report::List();
  for (float v : {x, y, z}) reference.Add(v);
  tools::Report orientation = tools::Report::List();
  for (float v : {alpha, phi, theta}) orientation.Add(v);
  report.Set("reference", std::move(reference)).Set("orientation", std::move(orientation));
  if (dynamic) report.Set("statistics", Statistics(h, item, dataType));
  return report;
}

tools::Report DescribeDataFile(const std::string& path, std::string* problem) {
  OpenDataFile file(path);
  tools::Report report = tools::Report::Object();
  report.Set("file", path).Set("kind", "data file").Set("container", ContainerReport(file.f));
  report.Set("header", HeaderReport(file.h));
  report.Set("time axis", TimeAxis(file.h).Describe());
  tools::Report items = tools::Report::List();
  for (int n = 1; n <= dfsGetNoOfItems(file.h); ++n) {
    items.Add(ItemReport(file.h, dfsItemD(file.h, n), n, true));
  }
  report.Set("items", std::move(items));
  report.Set("static items", StaticItems(file.h, file.f));
  *problem = LastStepProblem(file, path);
  return report;
}

}  // namespace kfsdump
