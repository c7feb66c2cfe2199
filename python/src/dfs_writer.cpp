// Writing data files from numpy arrays: the header from a description
// (built by koracore.dfs.create), static items, then time steps in order.
// File work runs without the interpreter lock, under the writer's mutex.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <mutex>
#include <string>
#include <vector>

#include "bindings.h"
#include "dfs_axis.h"
#include "gil_lock.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "simple_types.h"
#include "status.h"

namespace py = pybind11;

namespace koracore_py {

namespace {

std::string TextOf(const py::dict& d, const char* key) {
  return d.contains(key) && !d[key].is_none() ? d[key].cast<std::string>() : std::string();
}

void SetTimeAxis(LPHEAD h, const py::dict& t) {
  const int type = t["type"].cast<int>(), unit = t["unit"].cast<int>();
  const int first = t.contains("start_index") ? t["start_index"].cast<int>() : 0;
  const double start = t.contains("start") ? t["start"].cast<double>() : 0.0;
  const std::string date = TextOf(t, "date"), time = TextOf(t, "time");
  int s = 0;
  switch (type) {
    case F_TM_EQ_AXIS: s = dfsSetEqTimeAxis(h, unit, first, start, t["step"].cast<double>()); break;
    case F_TM_NEQ_AXIS: s = dfsSetNeqTimeAxis(h, unit, first); break;
    case F_CAL_EQ_AXIS:
      s = dfsSetEqCalendarAxis(h, date.c_str(), time.c_str(), unit, first, start,
                               t["step"].cast<double>());
      break;
    case F_CAL_NEQ_AXIS:
      s = dfsSetNeqCalendarAxis(h, date.c_str(), time.c_str(), unit, first);
      break;
    default: throw py::value_error("unknown time axis type " + std::to_string(type));
  }
  CheckKfs(s, "set the time axis");
}

void SetDeleteValues(LPHEAD h, const py::dict& d) {
  if (d.contains("float")) dfsSetDeleteValFloat(h, d["float"].cast<float>());
  if (d.contains("double")) dfsSetDeleteValDouble(h, d["double"].cast<double>());
  if (d.contains("byte")) dfsSetDeleteValByte(h, d["byte"].cast<unsigned char>());
  if (d.contains("int")) dfsSetDeleteValInt(h, d["int"].cast<int>());
  if (d.contains("unsigned")) dfsSetDeleteValUnsignedInt(h, d["unsigned"].cast<unsigned int>());
}

// Item information and axis, as for dynamic and static items alike.
void DefineItem(LPHEAD h, LPITEM item, const py::dict& spec) {
  const std::string name = TextOf(spec, "name");
  CheckKfs(dfsSetItemInfo(h, item, spec["item_type"].cast<int>(), name.c_str(),
                          spec["unit"].cast<int>(), spec["data_type"].cast<int>()),
           ("define item \"" + name + "\"").c_str());
  if (spec.contains("value_type")) dfsSetItemValueType(item, spec["value_type"].cast<int>());
  CheckKfs(ApplyAxis(item, spec["axis"].cast<py::dict>()),
           ("set the axis of item \"" + name + "\"").c_str());
}

LPHEAD BuildHeader(const py::dict& spec) {
  const py::list items = spec["items"];
  const std::string title = TextOf(spec, "title"), app = TextOf(spec, "app_title");
  LPHEAD h = nullptr;
  CheckKfs(dfsHeaderCreate(spec["file_type"].cast<int>(), title.c_str(), app.c_str(),
                           spec["app_version"].cast<int>(), static_cast<int>(items.size()),
                           spec["statistics_type"].cast<int>(), &h),
           "create the header");
  try {
    SetTimeAxis(h, spec["time"].cast<py::dict>());
    SetDeleteValues(h, spec["delete_values"].cast<py::dict>());
    if (!spec["projection"].is_none()) {
      const py::dict p = spec["projection"];
      const std::string text = TextOf(p, "text");
      CheckKfs(dfsSetGeoInfoUTMProj(h, text.c_str(), p["longitude"].cast<double>(),
                                    p["latitude"].cast<double>(), p["orientation"].cast<double>()),
               "set the projection");
    }
    for (size_t n = 0; n < items.size(); ++n)
      DefineItem(h, dfsItemD(h, static_cast<int>(n) + 1), items[n].cast<py::dict>());
  } catch (...) {
    dfsHeaderDestroy(&h);
    throw;
  }
  return h;
}

// The values of one item: an array of its own type and element count.
const void* ValuesFor(LPITEM item, const py::array& values) {
  if (!values.dtype().is(DtypeOf(item->dataType)))
    throw py::type_error(std::string("values of \"") + item->name + "\" must be of type " +
                         py::str(DtypeOf(item->dataType)).cast<std::string>());
  if (values.size() != dfsGetItemElements(item))
    throw py::value_error(std::string("\"") + item->name + "\" takes " +
                          std::to_string(dfsGetItemElements(item)) + " values, not " +
                          std::to_string(values.size()));
  if (!(values.flags() & py::array::c_style))
    throw py::value_error("values must be a C-contiguous array");
  return values.data();
}

}  // namespace

class DataFileWriter {
 public:
  DataFileWriter(std::string path, const py::dict& spec) : m_path(std::move(path)) {
    m_header = BuildHeader(spec);
    py::gil_scoped_release unlocked;
    const int s = dfsFileCreate(m_path.c_str(), m_header, &m_file);
    if (s != 0) {
      dfsHeaderDestroy(&m_header);
      throw LibraryFailure(Library::eKfs, s, "create", m_path);
    }
  }
  ~DataFileWriter() { CloseNow(); }
  DataFileWriter(const DataFileWriter&) = delete;
  DataFileWriter& operator=(const DataFileWriter&) = delete;

  void WriteStatic(const py::dict& spec, const py::array& values) {
    auto lock = Lock();
    CheckOpen();
    LPITEM item = nullptr;
    CheckKfs(dfsStaticCreate(&item), "create a static item");
    try {
      DefineItem(m_header, item, spec);
      const void* data = ValuesFor(item, values);
      py::gil_scoped_release unlocked;
      CheckKfs(dfsStaticWrite(item, m_file, data), "write static item", m_path);
    } catch (...) {
      dfsStaticDestroy(&item);
      throw;
    }
    dfsStaticDestroy(&item);
  }

  // One array per item, in item order; `time` in the axis unit (read only
  // for non-equidistant axes).
  void WriteStep(const std::vector<py::array>& values, double time) {
    auto lock = Lock();
    CheckOpen();
    const int items = dfsGetNoOfItems(m_header);
    if (static_cast<int>(values.size()) != items)
      throw py::value_error("a time step takes one array per item (" + std::to_string(items) + ")");
    std::vector<const void*> data;
    for (int n = 1; n <= items; ++n)
      data.push_back(ValuesFor(dfsItemD(m_header, n), values[n - 1]));
    py::gil_scoped_release unlocked;
    for (const void* values : data)
      CheckKfs(dfsWriteItemTimeStep(m_header, m_file, values, time), "write time step", m_path);
  }

  int StepsWritten() const { return m_header ? m_header->time.nSteps : 0; }

  // Brings the header up to date and closes. When that fails the file
  // stays open, so that closing can be tried again.
  void Close() {
    auto lock = Lock();
    if (!m_file) return;
    py::gil_scoped_release unlocked;
    CheckKfs(dfsFileClose(m_header, &m_file), "close", m_path);
    dfsHeaderDestroy(&m_header);
  }
  bool Closed() const { return m_file == nullptr; }
  const std::string& Path() const { return m_path; }

 private:
  std::unique_lock<std::mutex> Lock() { return LockReleasingGil(m_mutex); }

  void CheckOpen() const {
    if (!m_file) throw py::value_error("I/O operation on a closed data file");
  }

  void CloseNow() {
    if (m_file) dfsFileClose(m_header, &m_file);
    if (m_file) FCloseFile(&m_file);
    dfsHeaderDestroy(&m_header);
  }

  std::string m_path;
  LPHEAD m_header = nullptr;
  kfsHandle m_file = nullptr;
  std::mutex m_mutex;
};

void BindWriter(py::module_& m) {
  py::class_<DataFileWriter>(m, "DataFileWriter")
      .def(py::init<std::string, py::dict>(), py::arg("path"), py::arg("spec"))
      .def("write_static", &DataFileWriter::WriteStatic, py::arg("item"), py::arg("values"))
      .def("write_step", &DataFileWriter::WriteStep, py::arg("values"), py::arg("time") = 0.0)
      .def("close", &DataFileWriter::Close)
      .def_property_readonly("closed", &DataFileWriter::Closed)
      .def_property_readonly("path", &DataFileWriter::Path)
      .def_property_readonly("steps_written", &DataFileWriter::StepsWritten);
}

}  // namespace koracore_py
