/* CKvStereographicPoleDataFrame: what the definition records of the polar
 * stereographic projections about the north and the south pole by a
 * latitude of true scale share: their parameters and how they go into
 * well-known text.
 *
 * Parameters, in GetParameter order: "First parallel:" the latitude of true
 * scale (file keyword "Parallel_1", or "Parallel_1_dms"), "Central
 * meridian:" ("Centre", or "Centre_dms"), "False easting:" ("Feast", or
 * "Feast_ft_us"), "False northing:" ("Fnorth", or "Fnorth_ft_us"). Degrees
 * and metres.
 *
 * A family record adds only its section name, title, type, the name of its
 * well-known-text PROJECTION and CreateProjection. */
#ifndef KVCART_FAMILIES_CKVSTEREOGRAPHICPOLEDATAFRAME_H
#define KVCART_FAMILIES_CKVSTEREOGRAPHICPOLEDATAFRAME_H

#include "KvCart/families/CKvMapProjDataFrame.h"

class KVCART_API CKvStereographicPoleDataFrame : public CKvMapProjDataFrame {
 public:
  double GetParallel1() const { return Value(0); }
  void SetParallel1(double degrees) { SetValue(0, degrees); }
  double GetCentre() const { return Value(1); }
  void SetCentre(double degrees) { SetValue(1, degrees); }
  double GetFalseEasting() const { return Value(2); }
  void SetFalseEasting(double metres) { SetValue(2, metres); }
  double GetFalseNorthing() const { return Value(3); }
  void SetFalseNorthing(double metres) { SetValue(3, metres); }

 protected:
  explicit CKvStereographicPoleDataFrame(const char* section);
  CKvStereographicPoleDataFrame(const CKvStereographicPoleDataFrame&) = default;
  CKvStereographicPoleDataFrame& operator=(const CKvStereographicPoleDataFrame&) = default;

  void TransferValues(CKvPRJParser& parser) const override;
};

#endif
