/* CKvProjectionInfo: units, datum shift and axis directions of a coordinate
 * system.
 *
 * The small value record that the map-projection facade keeps beside its
 * projection object. It is filled from a parsed well-known-text record
 * (SetProjectionInfo) and turns coordinates between the axis order and signs
 * of the file's coordinate system and the east/north order of the projection
 * mathematics:
 *   - Convert: file coordinates to east/north;
 *   - InvConvert: east/north to file coordinates.
 * A WEST or SOUTH axis negates its coordinate; a first axis that points
 * north or south swaps the two. Both functions are exact (sign changes and a
 * swap), so InvConvert(Convert(p)) == p.
 *
 * Units: the projection unit factor is metres per unit, the angular unit
 * factor radians per unit; both are -1e-35 until set. Datum-shift rotations
 * are arc-seconds (as TOWGS84 gives them).
 *
 * Names are kept in fixed arrays: unit names up to 63 bytes, axis names up
 * to 31 bytes; longer names are cut there. Buffers handed to GetProjUnit and
 * GetAngularUnit need room for 64 bytes.
 *
 * Thread safety: the const operations may run from several threads at once.
 *
 * Example:
 *   CKvProjectionInfo info; info.SetProjectionInfo(parsedRecord);
 *   double x = 5, y = 7; info.Convert(x, y);   // NORTH, EAST axes: x = 7, y = 5
 */
#ifndef KVCART_TEXT_CKVPROJECTIONINFO_H
#define KVCART_TEXT_CKVPROJECTIONINFO_H

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvDatumShift.h"

class CKvPRJParser;

class KVCART_API CKvProjectionInfo {
 public:
  // Capacities of the name arrays, terminating zero included.
  static constexpr int kUnitNameSize = 64;
  static constexpr int kAxisNameSize = 32;

  // One axis of a coordinate system: its direction, the sign it gives to its
  // coordinate (1.0 east/north, -1.0 west/south) and its name.
  class KVCART_API CAxis {
   public:
    enum EType { eEast = 0, eNorth = 1, eWest = 2, eSouth = 3 };

    // Type eEast, factor 1.0, empty name.
    CAxis();
    // Type and name; the factor follows the type (1.0 for a type outside 0..3).
    CAxis(EType type, const char* name);
    CAxis(const CAxis& other);
    CAxis& operator=(const CAxis& other);
    virtual ~CAxis();

    void SetProperties(EType type, const char* name);
    void _copy(const CAxis& other);

    EType GetType() const { return m_type; }
    double GetFactor() const { return m_factor; }
    const char* GetName() const { return m_name; }

    // "EAST", "NORTH", "WEST", "SOUTH" in any case; any other text is eEast.
    static EType StringToType(const char* direction);

   private:
    EType m_type;
    double m_factor;
    char m_name[kAxisNameSize];
  };

  // Units unset, no datum shift, axes east "Easting" and north "Northing".
  CKvProjectionInfo();
  CKvProjectionInfo(const CKvProjectionInfo& other);
  CKvProjectionInfo& operator=(const CKvProjectionInfo& other);
  virtual ~CKvProjectionInfo();
  void _copy(const CKvProjectionInfo& other);

  // Takes units, datum shift and both axes (name and direction) from a
  // parsed record. An unrecognised direction gives an east axis.
  void SetProjectionInfo(const CKvPRJParser& record);

  // Factor and name (into a buffer of kUnitNameSize bytes; null skips it);
  // true when the factor is set.
  bool GetProjUnit(double* factor, char* name) const;
  bool GetAngularUnit(double* factor, char* name) const;
  void GetDatumShift(CKvDatumShift& shift) const { shift = m_datumShift; }
  void SetDatumShift(const CKvDatumShift& shift) { m_datumShift = shift; }
  void GetAxisTypes(CAxis::EType* first, CAxis::EType* second) const;
  const CAxis& GetAxis(int index) const { return index == 0 ? m_firstAxis : m_secondAxis; }

  // File coordinates to east/north, and back. Both return 0 when the first
  // axis is east/west and 1 when it is north/south (the two were swapped).
  int Convert(double& x, double& y) const;
  int InvConvert(double& x, double& y) const;

 private:
  double m_projUnitFactor;
  double m_angularUnitFactor;
  char m_projUnitName[kUnitNameSize];
  char m_angularUnitName[kUnitNameSize];
  CKvDatumShift m_datumShift;
  CAxis m_firstAxis;
  CAxis m_secondAxis;
};

#endif
