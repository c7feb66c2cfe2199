/* CKvArray2D<T>: a two-dimensional array with a lower bound and an extent
 * per dimension, over storage it owns or borrows.
 *
 * Element (j, k) lives at (k - kLow) * jExtent + (j - jLow): j runs fastest.
 * CMatrix reads j as the column and k as the row.
 *
 * CKvArrayBase<T> is the storage: an owned buffer, or a borrowed one
 * (Borrow) that the array never frees and never resizes. CKvArrayType
 * reports the rank.
 *
 * Allocate(nj, nk, jLow, kLow) keeps the buffer when the element count is
 * unchanged and reallocates otherwise; a borrowed buffer of another size is
 * released instead and Allocate reports failure. Negative extents, and
 * counts whose product does not fit, fail and leave an empty array.
 *
 * Thread safety: const operations only read.
 *
 * Usage:
 *   CKvArray2D<double> a;
 *   a.Allocate(3, 3, 0, 0);
 *   a.Set(1, 2, 4.0);   // column 1, row 2
 */
#ifndef KVCART_CORE_CKVARRAY2D_H
#define KVCART_CORE_CKVARRAY2D_H

#include <cstddef>
#include <limits>
#include <memory>

class CKvArrayType {
 public:
  virtual ~CKvArrayType() = default;
  virtual int GetRank() const = 0;
};

template <typename T>
class CKvArrayBase {
 public:
  CKvArrayBase() = default;
  CKvArrayBase(const CKvArrayBase& other) { CopyFrom(other); }
  CKvArrayBase& operator=(const CKvArrayBase& other) {
    if (this != &other) CopyFrom(other);
    return *this;
  }
  virtual ~CKvArrayBase() = default;

  std::size_t GetCount() const { return m_count; }
  bool OwnsStorage() const { return m_borrowed == nullptr; }
  const T* GetData() const { return m_borrowed != nullptr ? m_borrowed : m_owned.get(); }
  T* GetData() { return m_borrowed != nullptr ? m_borrowed : m_owned.get(); }

  // Refers to count elements at data without owning them.
  void Borrow(T* data, std::size_t count) {
    Release();
    m_borrowed = data;
    m_count = data != nullptr ? count : 0;
  }
  // Owned storage of count value-initialised elements.
  bool Resize(std::size_t count) {
    if (!OwnsStorage()) {
      Release();
      return false;
    }
    if (count != m_count) {
      m_owned = count > 0 ? std::make_unique<T[]>(count) : nullptr;
      m_count = count;
    }
    return true;
  }
  void Release() {
    m_owned.reset();
    m_borrowed = nullptr;
    m_count = 0;
  }

 private:
  void CopyFrom(const CKvArrayBase& other) {
    Release();
    m_count = other.m_count;
    if (m_count == 0) return;
    m_owned = std::make_unique<T[]>(m_count);
    const T* source = other.GetData();
    for (std::size_t i = 0; i < m_count; ++i) m_owned[i] = source[i];
  }

  std::unique_ptr<T[]> m_owned;
  T* m_borrowed = nullptr;
  std::size_t m_count = 0;
};

template <typename T>
class CKvArray2D : public CKvArrayBase<T>, public CKvArrayType {
 public:
  int GetRank() const override { return 2; }

  bool Allocate(int nj, int nk, int jLow, int kLow) {
    // The byte count must fit a signed size: larger requests are refused
    // here rather than thrown from deep inside the allocator.
    const std::size_t maxCount = std::numeric_limits<std::ptrdiff_t>::max() / sizeof(T);
    if (nj < 0 || nk < 0 || (nk > 0 && static_cast<std::size_t>(nj) > maxCount / nk)) {
      this->Release();
      SetShape(0, 0, 0, 0);
      return false;
    }
    const std::size_t count = static_cast<std::size_t>(nj) * static_cast<std::size_t>(nk);
    const bool sameSize = count == this->GetCount();
    if (!sameSize && !this->Resize(count)) {
      SetShape(0, 0, 0, 0);
      return false;
    }
    SetShape(nj, nk, jLow, kLow);
    return true;
  }

  int GetExtentJ() const { return m_nj; }
  int GetExtentK() const { return m_nk; }
  int GetLowJ() const { return m_jLow; }
  int GetLowK() const { return m_kLow; }

  bool Contains(int j, int k) const {
    return j >= m_jLow && j - m_jLow < m_nj && k >= m_kLow && k - m_kLow < m_nk;
  }
  // The element, or fallback outside the bounds.
  T Get(int j, int k, T fallback) const {
    return Contains(j, k) ? this->GetData()[Index(j, k)] : fallback;
  }
  // False (nothing written) outside the bounds.
  bool Set(int j, int k, T value) {
    if (!Contains(j, k)) return false;
    this->GetData()[Index(j, k)] = value;
    return true;
  }

 private:
  std::size_t Index(int j, int k) const {
    return static_cast<std::size_t>(k - m_kLow) * m_nj + static_cast<std::size_t>(j - m_jLow);
  }
  void SetShape(int nj, int nk, int jLow, int kLow) {
    m_nj = nj;
    m_nk = nk;
    m_jLow = jLow;
    m_kLow = kLow;
  }

  int m_nj = 0;
  int m_nk = 0;
  int m_jLow = 0;
  int m_kLow = 0;
};

#endif
