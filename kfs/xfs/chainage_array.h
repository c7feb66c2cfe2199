// CKVchainageArr - the chainages of one branch in ascending order, each
// with the file position of its cross-section (two parallel arrays).
//
// Insert keeps the order: a chainage not below the last is appended,
// otherwise it goes before the first greater one, so equal chainages keep
// their order of insertion.
#ifndef KFS_XFS_CHAINAGE_ARRAY_H
#define KFS_XFS_CHAINAGE_ARRAY_H

#include <vector>

class CKVchainageArr {
 public:
  void Insert(double chainage, long long position);

  int Count() const { return static_cast<int>(m_chainage.size()); }
  double Chainage(int i) const { return m_chainage[static_cast<std::size_t>(i)]; }
  long long Position(int i) const { return m_position[static_cast<std::size_t>(i)]; }
  // Index of the first entry with exactly this chainage, or -1.
  int Find(double chainage) const;

 private:
  std::vector<double> m_chainage;
  std::vector<long long> m_position;
};

#endif
