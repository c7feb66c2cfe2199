/* CKvNewZealandMapGridConstants: the coefficient tables of the published
 * New Zealand Map Grid conversion algorithm (Department of Lands and Survey,
 * after W. I. Reilly, "A conformal mapping projection with minimum scale
 * error", Survey Review 22 (1973)), digit for digit as published:
 *  - A1..A10: the latitude series, isometric latitude difference from the
 *    latitude difference in units of 1e5 arc-seconds;
 *  - B1..B6 (complex): the forward series z = sum B_n zeta^n;
 *  - C1..C6 (complex): the reversed series, the starting value of the
 *    inverse;
 *  - D1..D9: the inverse latitude series.
 * The series belong to the International 1924 ellipsoid (a = 6378388 m) and
 * the origin 41 S 173 E. Compile-time constants. */
#ifndef KVCART_FAMILIES_CKVNEWZEALANDMAPGRIDCONSTANTS_H
#define KVCART_FAMILIES_CKVNEWZEALANDMAPGRIDCONSTANTS_H

#include "KvCart/KvCart_api.h"

class KVCART_API CKvNewZealandMapGridConstants {
 public:
  // Degrees of latitude to units of 1e5 arc-seconds (3600 / 1e5).
  static constexpr double kDegreesToSeriesUnits = 0.036;

  static constexpr int kNoA = 10;
  static constexpr double kA[kNoA] = {0.6399175073, -0.1358797613, 0.063294409, -0.02526853,
                                      0.0117879,    -0.0055161,    0.0026906,   -0.001333,
                                      0.00067,      -0.00034};
  // Complex coefficients as {real, imaginary}.
  static constexpr int kNoB = 6;
  static constexpr double kB[kNoB][2] = {{0.7557853228, 0.0},         {0.249204646, 0.003371507},
                                         {-0.001541739, 0.041058560}, {-0.10162907, 0.01727609},
                                         {-0.26623489, -0.36249218},  {-0.6870983, -1.1651967}};
  static constexpr int kNoC = 6;
  static constexpr double kC[kNoC][2] = {{1.3231270439, 0.0},         {-0.577245789, -0.007809598},
                                         {0.508307513, -0.112208952}, {-0.15094762, 0.18200602},
                                         {1.01418179, 1.64497696},    {1.9660549, 2.5127645}};
  static constexpr int kNoD = 9;
  static constexpr double kD[kNoD] = {1.5627014243, 0.5185406398, -0.03333098,
                                      -0.1052906,   -0.0368594,   0.007317,
                                      0.01220,      0.00394,      -0.0013};
};

#endif
