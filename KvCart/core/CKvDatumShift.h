/* CKvDatumShift: the parameters that take geocentric coordinates of a datum
 * to WGS 84.
 *
 * Seven values in the units of well-known text (TOWGS84): dx, dy, dz in
 * metres, rx, ry, rz in arc-seconds, scale in parts per million. The record
 * never converts them; the datum converter turns them into working units.
 * The type says how many of them count: none, the three translations, or
 * all seven.
 *
 * Equality compares the counting parameters only, each identical or within
 * a relative 1e-12.
 *
 * Usage:
 *   double p[7] = {-87, -98, -121, 0, 0, 0, 0};
 *   CKvDatumShift ed50(p);          // type 1, "3 parameter" */
#ifndef KVCART_CORE_CKVDATUMSHIFT_H
#define KVCART_CORE_CKVDATUMSHIFT_H

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvCartDef.h"

class KVCART_API CKvDatumShift : public CKvCartDef {
 public:
  // Type 0, all parameters 0.
  CKvDatumShift();
  // Seven values; the type is derived as SetParameters does.
  explicit CKvDatumShift(const double* params);
  // Type and values taken as given.
  CKvDatumShift(ETypeOfDatumShift type, double dx, double dy, double dz, double rx, double ry,
                double rz, double scale);
  CKvDatumShift(const CKvDatumShift&) = default;
  CKvDatumShift& operator=(const CKvDatumShift&) = default;
  virtual ~CKvDatumShift();

  // Sets the seven values; the type becomes 2 when a rotation or the scale is
  // non-zero, else 1 when a translation is non-zero, else 0.
  void SetParameters(const double* params);
  // Type 0, all parameters 0.
  void Reset();

  ETypeOfDatumShift GetType() const { return m_type; }
  const double* GetParameters() const { return m_params; }
  double* GetParameters() { return m_params; }
  // Parameter i (0..6): dx, dy, dz, rx, ry, rz, scale. REQUIRES 0 <= i < 7.
  double& operator[](long i);
  double operator[](long i) const;
  // "None", "3 parameter", "7 parameter"; "" for any other type.
  const char* GetTypeAsText() const;

  bool operator==(const CKvDatumShift& other) const;
  bool operator!=(const CKvDatumShift& other) const { return !(*this == other); }

 private:
  ETypeOfDatumShift m_type;
  double m_params[7];
};

#endif
