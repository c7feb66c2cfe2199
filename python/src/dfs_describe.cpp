#include "dfs_describe.h"

#include <pybind11/stl.h>

#include <string>

#include "dfs_axis.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_stats.h"
#include "kfs/dfs/dfs_time.h"
#include "qty/qty.h"

namespace py = pybind11;

namespace koracore_py {

namespace {

std::string Text(const char* text) { return text ? text : ""; }

py::dict DeleteValues(LPHEAD h) {
  py::dict d;
  d["float"] = dfsGetDeleteValFloat(h);
  d["double"] = dfsGetDeleteValDouble(h);
  d["byte"] = dfsGetDeleteValByte(h);
  d["int"] = dfsGetDeleteValInt(h);
  d["unsigned"] = dfsGetDeleteValUnsignedInt(h);
  return d;
}

py::object Projection(LPHEAD h) {
  const char* text = nullptr;
  double lon = 0, lat = 0, orientation = 0;
  if (dfsGetGeoInfoType(h) != F_UTM_PROJECTION ||
      dfsGetGeoInfoUTMProj(h, &text, &lon, &lat, &orientation) != 0)
    return py::none();
  py::dict p;
  p["text"] = Text(text);
  p["longitude"] = lon;
  p["latitude"] = lat;
  p["orientation"] = orientation;
  return std::move(p);
}

std::string UnitAbbreviation(int unit) {
  const char* abbreviation = nullptr;
  qtyGetUnitAbbreviation(unit, &abbreviation);
  return Text(abbreviation);
}

}  // namespace

py::dict DescribeTimeAxis(LPHEAD h) {
  const int type = dfsGetTimeAxisType(h);
  int unit = 0, steps = 0, startIndex = 0;
  const char *unitName = nullptr, *date = nullptr, *time = nullptr;
  double start = 0, stepOrSpan = 0;
  switch (type) {
    case F_TM_EQ_AXIS:
      dfsGetEqTimeAxis(h, &unit, &unitName, &start, &stepOrSpan, &steps, &startIndex);
      break;
    case F_TM_NEQ_AXIS:
      dfsGetNeqTimeAxis(h, &unit, &unitName, &start, &stepOrSpan, &steps, &startIndex);
      break;
    case F_CAL_EQ_AXIS:
      dfsGetEqCalendarAxis(h, &date, &time, &unit, &unitName, &start, &stepOrSpan, &steps,
                           &startIndex);
      break;
    case F_CAL_NEQ_AXIS:
      dfsGetNeqCalendarAxis(h, &date, &time, &unit, &unitName, &start, &stepOrSpan, &steps,
                            &startIndex);
      break;
  }
  const bool equidistant = type == F_TM_EQ_AXIS || type == F_CAL_EQ_AXIS;
  py::dict t;
  t["type"] = type;
  t["type_name"] = Text(dfsTimeAxisTypeStr(type));
  t["unit"] = unit;
  t["unit_name"] = Text(unitName);
  t["unit_abbreviation"] = UnitAbbreviation(unit);
  t["start"] = start;  // start time, or the start offset of calendar axes
  t["step"] = equidistant ? py::object(py::float_(stepOrSpan)) : py::object(py::none());
  t["span"] = equidistant ? py::object(py::none()) : py::object(py::float_(stepOrSpan));
  t["steps"] = steps;
  t["start_index"] = startIndex;
  t["date"] = date ? py::object(py::str(date)) : py::object(py::none());
  t["time"] = time ? py::object(py::str(time)) : py::object(py::none());
  return t;
}

py::list CustomBlocks(LPHEAD h) {
  py::list blocks;
  dfsCustomBlock* entry = nullptr;
  dfsGetCustomBlockRef(h, &entry);
  while (entry) {
    int type = 0, count = 0;
    const char* name = nullptr;
    dfsCustomBlock* next = nullptr;
    dfsGetCustomBlock(entry, &type, &name, &count, nullptr, &next);
    blocks.append(py::make_tuple(Text(name), type, count));
    entry = next;
  }
  return blocks;
}

py::dict DescribeContainer(kfsHandle file) {
  py::dict d;
  d["created"] = Text(kfsGetFileCreationDate(file)) + " " + Text(kfsGetFileCreationTime(file));
  d["edited"] = Text(kfsGetFileEditDate(file)) + " " + Text(kfsGetFileEditTime(file));
  d["container_version"] = kfsGetVersionCreate(file);
  d["application_version"] = kfsGetVersionCreateApp(file);
  return d;
}

py::dict DescribeHeader(LPHEAD h, kfsHandle file) {
  py::dict d;
  d["file_type"] = dfsGetFileType(h);
  d["file_type_name"] = Text(dfsFileTypeStr(dfsGetFileType(h)));
  d["title"] = Text(dfsGetFileTitle(h));
  d["app_title"] = Text(dfsGetAppTitle(h));
  d["app_version"] = dfsGetAppVersionNo(h);
  d["data_type"] = dfsGetDataType(h);
  d["statistics_type"] = dfsGetItemStatsType(h);
  d["encoded"] = dfsIsFileCompressed(h) != 0;
  d["encode_key_size"] = dfsGetEncodeKeySize(h);
  d["custom_blocks"] = CustomBlocks(h);
  d["container"] = DescribeContainer(file);
  d["delete_values"] = DeleteValues(h);
  d["projection"] = Projection(h);
  d["time"] = DescribeTimeAxis(h);
  d["created"] = Text(kfsGetFileCreationDate(file)) + " " + Text(kfsGetFileCreationTime(file));
  return d;
}

py::dict DescribeItem(LPITEM item, int number) {
  int itemType = 0, unit = 0, dataType = 0, valueType = 0, missing = 0;
  const char *itemTypeName = nullptr, *name = nullptr, *unitName = nullptr, *unitText = nullptr;
  dfsGetItemInfo(item, &itemType, &itemTypeName, &name, &unit, &unitName, &dataType);
  dfsGetItemInfo_(item, nullptr, nullptr, &unitText, nullptr);
  dfsGetItemValueType(item, &valueType);
  float ref[3] = {}, angles[3] = {};
  dfsGetItemRefCoords(item, ref, ref + 1, ref + 2);
  dfsGetItemAxisOrientation(item, angles, angles + 1, angles + 2);
  py::dict d;
  d["number"] = number;
  d["name"] = Text(name);
  d["item_type"] = itemType;
  d["item_type_name"] = Text(itemTypeName);
  d["unit"] = unit;
  d["unit_name"] = Text(unitName);
  d["unit_abbreviation"] = UnitAbbreviation(unit);
  d["unit_text"] = unitText ? py::object(py::str(unitText)) : py::object(py::none());
  d["data_type"] = dataType;
  d["elements"] = dfsGetItemElements(item);
  d["dimensions"] = dfsGetItemDim(item);
  d["geometry_unit"] = dfsGetItemGeometryUnit(item);
  d["value_type"] = valueType;
  d["axis"] = DescribeAxis(item);
  d["shape"] = py::tuple(py::cast(StepShape(item)));
  d["reference"] = py::make_tuple(ref[0], ref[1], ref[2]);
  d["orientation"] = py::make_tuple(angles[0], angles[1], angles[2]);
  double minimum = 0, maximum = 0;
  if (number > 0 && dfsGetItemStatsGlobal(item, &minimum, &maximum, &missing) == 0) {
    d["minimum"] = minimum;  // the double delete value while no value was written
    d["maximum"] = maximum;
    d["missing"] = missing;
  }
  return d;
}

}  // namespace koracore_py
