// Reading data files into numpy arrays.
//
// The values of a time step go from the file straight into the array's own
// buffer. File work runs without the interpreter lock; a reader's mutex
// keeps two threads from moving the same file at once (and from closing it
// under the other), while readers of different files proceed side by side.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <mutex>
#include <string>
#include <vector>

#include "bindings.h"
#include "dfs_axis.h"
#include "dfs_describe.h"
#include "gil_lock.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_timestep.h"
#include "simple_types.h"
#include "status.h"

namespace py = pybind11;

namespace koracore_py {

namespace {

// Reads in another unit by the item's own conversion, for the span of one
// read; the item's setting is restored afterwards whatever happens.
class ConversionScope {
 public:
  ConversionScope(LPITEM item, int unit) : m_item(item) {
    dfsGetItemUnitConversion(item, &m_mode, &m_unit);
    if (unit > 0) dfsSetItemUnitConversion(item, 2, unit);
  }
  ~ConversionScope() { dfsSetItemUnitConversion(m_item, m_mode, m_unit); }
  ConversionScope(const ConversionScope&) = delete;
  ConversionScope& operator=(const ConversionScope&) = delete;

 private:
  LPITEM m_item;
  int m_mode = 0, m_unit = 0;
};

template <typename T>
void DeleteToNan(void* data, py::ssize_t count, T deleteValue) {
  T* values = static_cast<T*>(data);
  for (py::ssize_t i = 0; i < count; ++i)
    if (values[i] == deleteValue) values[i] = std::numeric_limits<T>::quiet_NaN();
}

}  // namespace

class DataFileReader {
 public:
  explicit DataFileReader(std::string path) : m_path(std::move(path)) {
    py::gil_scoped_release unlocked;
    CheckKfs(dfsFileRead(m_path.c_str(), &m_header, &m_file), "open", m_path);
    // Times as written: the readers add the start themselves.
    dfsParamModifyTimes(m_header, 0);
    try {
      StepCount();
      ReadStatics();
    } catch (...) {
      CloseNow();
      throw;
    }
  }
  ~DataFileReader() { CloseNow(); }
  DataFileReader(const DataFileReader&) = delete;
  DataFileReader& operator=(const DataFileReader&) = delete;

  void Close() {
    auto lock = Lock();
    CloseNow();
  }
  bool Closed() const { return m_header == nullptr; }
  const std::string& Path() const { return m_path; }

  py::dict Header() {
    auto lock = Lock();
    CheckOpen();
    return DescribeHeader(m_header, m_file);
  }

  py::list Items() {
    auto lock = Lock();
    CheckOpen();
    py::list items;
    for (int n = 1; n <= dfsGetNoOfItems(m_header); ++n)
      items.append(DescribeItem(dfsItemD(m_header, n), n));
    return items;
  }

  py::list Statics() {
    auto lock = Lock();
    CheckOpen();
    py::list items;
    for (LPITEM item : m_statics) items.append(DescribeItem(item, 0));
    return items;
  }

  // The time axis as the getters give it to a reader that lets them fold a
  // calendar start offset into the start date and time (the library's
  // default, which this reader turns off for its own use).
  py::dict TimeAxisAsShown() {
    auto lock = Lock();
    CheckOpen();
    dfsParamModifyTimes(m_header, 1);
    py::dict axis = DescribeTimeAxis(m_header);
    dfsParamModifyTimes(m_header, 0);
    return axis;
  }

  // One step (step >= 0) or all steps (step < 0) of item `number` (1-based).
  py::array Read(int number, int step, int unit, bool deleteAsNan) {
    auto lock = Lock();
    CheckOpen();
    LPITEM item = DynamicItem(number);
    const int steps = StepCount();
    if (step >= steps)
      throw py::index_error("step " + std::to_string(step) + " outside 0.." +
                            std::to_string(steps - 1));
    std::vector<py::ssize_t> shape = ValueShape(item);
    if (step < 0) shape.insert(shape.begin(), steps);
    py::array out(DtypeOf(item->dataType), shape);
    auto* data = static_cast<char*>(out.mutable_data());
    const py::ssize_t stepBytes = dfsGetItemBytes(item), count = out.size();
    const int first = step < 0 ? 0 : step, last = step < 0 ? steps : step + 1;
    {
      py::gil_scoped_release unlocked;
      ConversionScope conversion(item, unit);
      for (int s = first; s < last; ++s) ReadStep(number, s, data + (s - first) * stepBytes);
      if (deleteAsNan) ReplaceDeleteValues(item->dataType, data, count);
    }
    return out;
  }

  py::array ReadStatic(int index, int unit, bool deleteAsNan) {
    auto lock = Lock();
    CheckOpen();
    if (index < 0 || index >= static_cast<int>(m_statics.size()))
      throw py::index_error("no static item " + std::to_string(index));
    LPITEM item = m_statics[static_cast<size_t>(index)];
    py::array out(DtypeOf(item->dataType), ValueShape(item));
    void* data = out.mutable_data();
    const py::ssize_t count = out.size();
    {
      py::gil_scoped_release unlocked;
      ConversionScope conversion(item, unit);
      CheckKfs(dfsStaticGetData(item, data), "read static item", m_path);
      if (deleteAsNan) ReplaceDeleteValues(item->dataType, data, count);
    }
    return out;
  }

  // The time of every step as written, in the axis unit: what the step tags
  // of a non-equidistant axis hold (equidistant axes store none).
  py::array_t<double> StepTimes() {
    auto lock = Lock();
    CheckOpen();
    const int steps = StepCount();
    py::array_t<double> times(steps);
    double* out = times.mutable_data();
    {
      py::gil_scoped_release unlocked;
      for (int s = 0; s < steps; ++s) {
        Check(dfsFindItemDynamic(m_header, m_file, s, 1), "find time step");
        Check(dfsReadItemTimeStep(m_header, m_file, out + s, nullptr), "read time step");
      }
    }
    return times;
  }

 private:
  std::unique_lock<std::mutex> Lock() { return LockReleasingGil(m_mutex); }

  void CheckOpen() const {
    if (!m_header) throw py::value_error("I/O operation on a closed data file");
  }

  // The number of steps the header announces, when the file can hold them:
  // every step takes at least its 4-byte tag, so a larger number is a
  // damaged header, refused before anything is allocated for it.
  int StepCount() const {
    const int steps = m_header->time.nSteps;
    struct stat file {};
    if (steps < 0 || (stat(m_path.c_str(), &file) == 0 && steps > file.st_size / 4))
      throw LibraryFailure(Library::eKfs, kfsErrRead,
                           "read " + std::to_string(steps) + " time steps from a file of " +
                               std::to_string(file.st_size) + " bytes",
                           m_path);
    return steps;
  }

  LPITEM DynamicItem(int number) const {
    if (number < 1 || number > dfsGetNoOfItems(m_header))
      throw py::index_error("no item " + std::to_string(number) + " (items are numbered 1.." +
                            std::to_string(dfsGetNoOfItems(m_header)) + ")");
    return dfsItemD(m_header, number);
  }

  // The array shape of one step; refused for items whose values this
  // interface cannot read (positions that vary with time, no elements).
  static std::vector<py::ssize_t> ValueShape(LPITEM item) {
    std::vector<py::ssize_t> shape = StepShape(item);
    // Counted against the element count, which is an int: a product that
    // would leave that range is refused before it can overflow.
    py::ssize_t count = 1;
    for (auto n : shape)
      count = n >= 0 && count <= INT_MAX / std::max<py::ssize_t>(n, 1) ? count * n : -1;
    const int axis = dfsGetItemAxisType(item);
    const bool varying = axis == F_TV_AXIS_D1 || axis == F_TV_AXIS_D2 || axis == F_TV_AXIS_D3;
    if (varying || dfsSimpSize(item->dataType) == 0 || count != dfsGetItemElements(item))
      throw py::value_error(std::string("the values of item \"") + (item->name ? item->name : "") +
                            "\" cannot be read as an array");
    return shape;
  }

  void ReadStep(int number, int step, void* data) {
    Check(dfsFindItemDynamic(m_header, m_file, step, number), "find time step");
    Check(dfsReadItemTimeStep(m_header, m_file, nullptr, data), "read time step");
  }

  // A failure leaves the handle's status latched; clearing it lets the
  // reader go on to other steps of a damaged file.
  void Check(int status, const char* doing) {
    if (status == 0) return;
    kfsGetError(m_file);
    throw LibraryFailure(Library::eKfs, status, doing, m_path);
  }

  void ReplaceDeleteValues(int dataType, void* data, py::ssize_t count) const {
    if (dataType == kfsTypeFloat) DeleteToNan(data, count, dfsGetDeleteValFloat(m_header));
    if (dataType == kfsTypeDouble) DeleteToNan(data, count, dfsGetDeleteValDouble(m_header));
  }

  void ReadStatics() {
    int status = 0;
    while (LPITEM item = dfsStaticRead(m_file, &status)) {
      dfsStaticSetHeader(m_header, item);
      m_statics.push_back(item);
    }
    Check(status, "read static items");
  }

  void CloseNow() {
    for (LPITEM& item : m_statics) dfsStaticDestroy(&item);
    m_statics.clear();
    if (m_file) dfsFileClose(m_header, &m_file);
    if (m_file) FCloseFile(&m_file);
    dfsHeaderDestroy(&m_header);
  }

  std::string m_path;
  LPHEAD m_header = nullptr;
  kfsHandle m_file = nullptr;
  std::vector<LPITEM> m_statics;
  std::mutex m_mutex;
};

void BindDataFiles(py::module_& m) {
  py::class_<DataFileReader>(m, "DataFileReader")
      .def(py::init<std::string>(), py::arg("path"))
      .def("close", &DataFileReader::Close)
      .def_property_readonly("closed", &DataFileReader::Closed)
      .def_property_readonly("path", &DataFileReader::Path)
      .def("header", &DataFileReader::Header)
      .def("items", &DataFileReader::Items)
      .def("statics", &DataFileReader::Statics)
      .def("read", &DataFileReader::Read, py::arg("item"), py::arg("step"), py::arg("unit") = 0,
           py::arg("delete_as_nan") = false)
      .def("read_static", &DataFileReader::ReadStatic, py::arg("index"), py::arg("unit") = 0,
           py::arg("delete_as_nan") = false)
      .def("step_times", &DataFileReader::StepTimes)
      .def("time_axis_as_shown", &DataFileReader::TimeAxisAsShown);
}

}  // namespace koracore_py
