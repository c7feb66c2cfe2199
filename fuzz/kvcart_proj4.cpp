// The PROJ.4 writer from a definition whose every value comes from the
// input: family, ellipsoid and each numeric parameter (NaN, infinities and
// huge values included). The definition is entered in the database under a
// name of its own and reached by that name, as callers do, and also through
// the well-known text written from it: both give a PROJ.4 string, a
// formatted text and a point taken forward and back. It leaves the database
// as it found it.
//
// Input: byte 0 the family, byte 1 the ellipsoid (an index into the shipped
// list), bytes 2-9 the datum shift's leading values count and selector, then
// the parameters as 8-byte doubles (missing ones are 0).
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvEllipsoidList.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvMapProjectionList.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/CKvProjTranslator.h"
#include "KvCart/facade/KvCartFlat.h"
#include "KvCart/text/CKvPRJParser.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // No custom folder: nothing is ever written back at exit.
  CARTSETUPLINUX(KORACORE_SOURCE_DIR "/data/", "/nonexistent-koracore-fuzz/");
  return 0;
}

namespace {

constexpr char kName[] = "Fuzzed definition";
constexpr int kParameterBytes = 8;

std::string EllipsoidCode(uint8_t selector) {
  const CKvEllipsoidList& list = CKvCartSetup::Instance().GetEllipsoidList();
  std::vector<std::string> codes;
  for (auto it = list.GetIteratorBegin(CKvEllipsoidList::eAllEllipsoids);
       it != list.GetIteratorEnd(CKvEllipsoidList::eAllEllipsoids); ++it)
    codes.push_back((*it)->GetID());
  // One past the list: a code the database does not know.
  if (codes.empty() || selector >= codes.size()) return "??";
  return codes[selector];
}

void UseText(const std::string& text, const double* shift, int count) {
  CKvProjTranslator translator;
  translator.Convert2Proj4(text, nullptr, 0);
  translator.Convert2Proj4(text, shift, count);
  try {
    CKvMapProjection projection(text);
    double x = 0, y = 0, lon = 0, lat = 0;
    projection.Geo2Proj(12.5, 55.5, &x, &y);
    projection.Proj2Geo(x, y, &lon, &lat);
    projection.GetConvergence(12.5, 55.5);
  } catch (const std::out_of_range&) {}
}

void UseRecord(CKvMapProjData* record, const double* shift, int count) {
  CKvPRJParser writer(record);
  CString wkt;
  writer.Format(wkt);
  char small[48];
  writer.Format(small, sizeof small);
  record->SetName(kName);
  CKvMapProjection::AddMapProjection(record);
  UseText(kName, shift, count);
  CKvMapProjection::DeleteMapProjection(record);  // destroys the record
  UseText(wkt.GetString(), shift, count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const auto type = static_cast<CKvMapProjData::EProjectionType>(data[0] % 23);
  const std::string ellipsoid = EllipsoidCode(data[1]);
  const int shiftCount = data[2] % 9;
  data += 3;
  size -= 3;
  std::vector<double> values(64, 0.0);
  for (size_t i = 0; i < values.size() && (i + 1) * kParameterBytes <= size; ++i)
    std::memcpy(&values[i], data + i * kParameterBytes, kParameterBytes);
  // The datum shift a caller passes comes from the same values.
  const double* shift = values.data() + 32;
  CKvMapProjData* record =
      CKvMapProjData::CreateProjection(type, "fuzz", "fuzz", ellipsoid, values.data());
  if (!record) return 0;
  const size_t definitions = CKvCartSetup::Instance().GetMapProjectionList().GetCount();
  UseRecord(record, shift, shiftCount);
  // The database is as the input found it: no input may make it grow.
  if (CKvCartSetup::Instance().GetMapProjectionList().GetCount() != definitions) __builtin_trap();
  return 0;
}
