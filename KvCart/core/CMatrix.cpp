#include "KvCart/core/CMatrix.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The nine values of a rotation in storage order (row by row).
void RotationValues(double angle, CMatrix::ERotationType type, double* v) {
  const double c = std::cos(angle * kvcart::kDegToRad);
  const double s = std::sin(angle * kvcart::kDegToRad);
  const double aboutX[9] = {1, 0, 0, 0, c, -s, 0, s, c};
  const double aboutY[9] = {c, 0, s, 0, 1, 0, -s, 0, c};
  const double aboutZ[9] = {c, -s, 0, s, c, 0, 0, 0, 1};
  const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  const double* chosen = type == CMatrix::eAboutX   ? aboutX
                         : type == CMatrix::eAboutY ? aboutY
                         : type == CMatrix::eAboutZ ? aboutZ
                                                    : identity;
  for (int i = 0; i < 9; ++i) v[i] = chosen[i];
}

}  // namespace

CMatrix::CMatrix(const CKvArray2D<double>* array) {
  if (array == nullptr) return;
  const int nj = array->GetExtentJ();
  const int nk = array->GetExtentK();
  m_array.Allocate(nj, nk, array->GetLowJ(), array->GetLowK());
  for (int k = 0; k < nk; ++k) {
    for (int j = 0; j < nj; ++j) {
      const int jj = j + array->GetLowJ();
      const int kk = k + array->GetLowK();
      m_array.Set(jj, kk, array->Get(jj, kk, kNaN));
    }
  }
}

CMatrix::CMatrix(double v0, double v1, double v2) {
  m_array.Allocate(1, 3, 0, 0);
  m_array.Set(0, 0, v0);
  m_array.Set(0, 1, v1);
  m_array.Set(0, 2, v2);
}

CMatrix::CMatrix(double angle, ERotationType type) {
  double v[9];
  RotationValues(angle, type, v);
  m_array.Allocate(3, 3, 0, 0);
  for (int i = 0; i < 9; ++i) m_array.Set(i % 3, i / 3, v[i]);
}

CMatrix::~CMatrix() = default;

double CMatrix::At(int j, int k) const {
  return m_array.Get(j + m_array.GetLowJ(), k + m_array.GetLowK(), kNaN);
}

double CMatrix::GetElement(int j, int k) const { return m_array.Get(j, k, kNaN); }

CMatrix CMatrix::Combine(const CMatrix& other, double sign) const {
  CMatrix result;
  if (GetSizeJ() != other.GetSizeJ() || GetSizeK() != other.GetSizeK()) return result;
  result.m_array.Allocate(GetSizeJ(), GetSizeK(), m_array.GetLowJ(), m_array.GetLowK());
  for (int k = 0; k < GetSizeK(); ++k) {
    for (int j = 0; j < GetSizeJ(); ++j) {
      result.m_array.Set(j + m_array.GetLowJ(), k + m_array.GetLowK(),
                         At(j, k) + sign * other.At(j, k));
    }
  }
  return result;
}

CMatrix CMatrix::operator+(const CMatrix& other) const { return Combine(other, 1.0); }

CMatrix CMatrix::operator-(const CMatrix& other) const { return Combine(other, -1.0); }

CMatrix CMatrix::operator*(const CMatrix& other) const {
  CMatrix result;
  // Columns of the left operand pair with rows of the right one.
  if (GetSizeJ() != other.GetSizeK()) return result;
  const int columns = other.GetSizeJ();
  const int rows = GetSizeK();
  result.m_array.Allocate(columns, rows, 0, 0);
  for (int k = 0; k < rows; ++k) {
    for (int j = 0; j < columns; ++j) {
      double sum = 0.0;
      for (int i = 0; i < GetSizeJ(); ++i) sum += At(i, k) * other.At(j, i);
      result.m_array.Set(j, k, sum);
    }
  }
  return result;
}

CMatrix CMatrix::operator*(double factor) const {
  CMatrix result(*this);
  for (int k = 0; k < GetSizeK(); ++k) {
    for (int j = 0; j < GetSizeJ(); ++j) {
      result.m_array.Set(j + m_array.GetLowJ(), k + m_array.GetLowK(), At(j, k) * factor);
    }
  }
  return result;
}
