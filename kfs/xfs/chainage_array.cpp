#include "kfs/xfs/chainage_array.h"

#include <algorithm>

void CKVchainageArr::Insert(double chainage, long long position) {
  if (m_chainage.empty() || !(chainage < m_chainage.back())) {
    m_chainage.push_back(chainage);
    m_position.push_back(position);
    return;
  }
  auto at = std::upper_bound(m_chainage.begin(), m_chainage.end(), chainage);
  auto index = at - m_chainage.begin();
  m_chainage.insert(at, chainage);
  m_position.insert(m_position.begin() + index, position);
}

int CKVchainageArr::Find(double chainage) const {
  auto at = std::lower_bound(m_chainage.begin(), m_chainage.end(), chainage);
  if (at == m_chainage.end() || *at != chainage) return -1;
  return static_cast<int>(at - m_chainage.begin());
}
