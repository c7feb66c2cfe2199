/* CMatrix: a small dense matrix of doubles for rotations of 3-vectors.
 *
 * Element (j, k) is column j, row k; the storage (CKvArray2D) keeps j
 * fastest. A vector built from three values is one column of three rows.
 * The rotations about the x (1), y (2) and z (3) axis turn a vector by the
 * angle counter-clockwise seen from the positive axis (right-hand rule):
 *   about x: [1 0 0; 0 c -s; 0 s c]   about y: [c 0 s; 0 1 0; -s 0 c]
 *   about z: [c -s 0; s c 0; 0 0 1]   (rows; angle in degrees)
 *
 * Shapes that do not fit (a sum of different shapes, a product whose left
 * column count differs from the right row count) give an empty matrix;
 * reading outside the bounds gives NaN. Nothing throws except bad_alloc.
 *
 * Thread safety: const operations only read.
 *
 * Usage:
 *   CMatrix v(1.0, 0.0, 0.0);
 *   CMatrix turned = CMatrix(90.0, CMatrix::eAboutZ) * v;   // (0, 1, 0)
 */
#ifndef KVCART_CORE_CMATRIX_H
#define KVCART_CORE_CMATRIX_H

#include "KvCart/KvCart_api.h"
#include "KvCart/core/CKvArray2D.h"

class KVCART_API CMatrix {
 public:
  enum ERotationType { eAboutX = 1, eAboutY = 2, eAboutZ = 3 };

  CMatrix() = default;
  // A copy of the values and shape of an array; null gives an empty matrix.
  explicit CMatrix(const CKvArray2D<double>* array);
  // A column vector of three rows.
  CMatrix(double v0, double v1, double v2);
  // A 3 x 3 rotation by angle degrees; another type gives the identity.
  CMatrix(double angle, ERotationType type);
  CMatrix(const CMatrix&) = default;
  CMatrix& operator=(const CMatrix&) = default;
  virtual ~CMatrix();

  CMatrix operator+(const CMatrix& other) const;
  CMatrix operator-(const CMatrix& other) const;
  CMatrix operator*(const CMatrix& other) const;
  CMatrix operator*(double factor) const;

  // Column j, row k (from the lower bounds); NaN outside.
  double operator()(int j, int k) const { return GetElement(j, k); }
  double GetElement(int j, int k) const;
  int GetSizeJ() const { return m_array.GetExtentJ(); }
  int GetSizeK() const { return m_array.GetExtentK(); }
  const CKvArray2D<double>& GetArray() const { return m_array; }

 private:
  // Element (j, k) counted from the lower bounds (0-based).
  double At(int j, int k) const;
  CMatrix Combine(const CMatrix& other, double sign) const;

  CKvArray2D<double> m_array;
};

#endif
