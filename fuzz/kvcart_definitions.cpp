// The projection database's file readers: a definition file (the standard
// files and the custom file read at set-up), an ellipsoid file, and a .prj
// file. Every definition read is turned into its projection, which takes a
// point forward and back, and into well-known text and a PROJ.4 string; a
// custom file is written back and must read again with every definition.
//
// Input: byte 0 chooses the reader (mod 3: definitions, ellipsoids, .prj;
// bit 2: read as the custom file), the rest is the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvEllipsoidList.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvMapProjectionList.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvProjTranslator.h"
#include "KvCart/facade/KvCartFlat.h"
#include "KvCart/text/CKvPRJParser.h"
#include "fuzz/scratch_file.h"
#include "quiet_diagnostics.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The definitions read name the shipped ellipsoids. No custom folder:
  // nothing is ever written back at exit.
  CARTSETUPLINUX(KORACORE_SOURCE_DIR "/data/", "/nonexistent-koracore-fuzz/");
  korafuzz::QuietDiagnostics();
  return 0;
}

namespace {

constexpr int kMaxRecords = 64;

void ConvertPoint(const CKvMapProjData& record) {
  CKvProjection* projection = record.CreateProjection();
  if (!projection) return;
  double x = 0, y = 0, lon = 0, lat = 0, x1 = 0, y1 = 0;
  projection->GetOrigin(&lon, &lat);
  projection->Geo2Proj(lon + 0.5, lat + 0.5, &x, &y);
  projection->Proj2Geo(x, y, &lon, &lat);
  projection->GetConvergence(lon, lat);
  projection->GetDefaultArea(&x, &y, &x1, &y1);
  projection->free();
}

void Describe(const CKvMapProjData& record) {
  int count = record.GetNoOfParameters();
  for (int i = 0; i < count && i < 32; ++i) {
    std::string label;
    double value = 0;
    CKvMapProjData::EParamType type{};
    record.GetParameter(i, label, value, type);
  }
  CKvPRJParser writer(&record);
  CString wkt;
  writer.Format(wkt);
  CKvProjTranslator().Convert2Proj4(wkt.GetString(), nullptr, 0);
}

void ReadDefinitions(const std::string& path, bool custom) {
  CKvMapProjectionList list;
  list.ReadMapProjections(path, custom);
  int seen = 0;
  for (auto it = list.GetIteratorBegin(); it != list.GetIteratorEnd() && seen < kMaxRecords;
       ++it, ++seen) {
    ConvertPoint(**it);
    Describe(**it);
  }
  if (!custom || list.GetCount() == 0) return;
  // What the custom file holds is the user's work: written back, every
  // definition must read again.
  const std::string written = fuzz::ScratchPath("definitions", "-written.rcf");
  if (list.WriteCustomMapProjections(written) == 0) {
    CKvMapProjectionList again;
    again.ReadMapProjections(written, true);
    if (again.GetCount() != list.GetCount()) __builtin_trap();
  }
  unlink(written.c_str());
}

void ReadEllipsoids(const std::string& path, bool custom) {
  CKvEllipsoidList list;
  list.ReadEllipsoids(path, custom);
  list.GenerateCompleteList();
  int seen = 0;
  for (auto it = list.GetIteratorBegin(CKvEllipsoidList::eAllEllipsoids);
       it != list.GetIteratorEnd(CKvEllipsoidList::eAllEllipsoids) && seen < kMaxRecords;
       ++it, ++seen) {
    (*it)->GetMinor();
    (*it)->GetEccentricity();
    list.GetEllipsoid((*it)->GetID());
    list.GetEllipsoidFromName((*it)->GetName());
  }
}

void ReadPrj(const std::string& path) {
  CKvProjTranslator translator;
  translator.ConvertPRJFile2Proj4(path, nullptr, 0);
  const double shift[7] = {1, 2, 3, 0.1, 0.2, 0.3, 4};
  translator.ConvertPRJFile2Proj4(path, shift, 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int reader = data[0] % 3;
  const bool custom = (data[0] & 4) != 0;
  static const std::string path = fuzz::ScratchPath("definitions", ".rcf");
  if (!fuzz::WriteInput(path, data + 1, size - 1)) return 0;
  if (reader == 0) ReadDefinitions(path, custom);
  if (reader == 1) ReadEllipsoids(path, custom);
  if (reader == 2) ReadPrj(path);
  unlink(path.c_str());
  return 0;
}
