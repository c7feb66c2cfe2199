#include "qty/CKVLangFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kLineBuffer = 250;

enum class LineKind { kEnd, kText };

// Reads one line into `line` (at most 249 characters are kept; the rest of a
// longer line is skipped so that it is not taken for the next line). False
// at end of file.
bool ReadRawLine(std::FILE* file, char (&line)[kLineBuffer]) {
  if (!std::fgets(line, kLineBuffer, file)) return false;
  const size_t length = std::strlen(line);
  if (length > 0 && line[length - 1] != '\n') {
    int c;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {}
  }
  return true;
}

// kEnd at end of file or on a line starting with "END".
LineKind ReadLine(std::FILE* file, char (&line)[kLineBuffer]) {
  if (!ReadRawLine(file, line) || std::strncmp(line, "END", 3) == 0) return LineKind::kEnd;
  return LineKind::kText;
}

// `<id> "<text>`: the id as "%i" (hexadecimal and octal too) or "%d". An
// id beyond the range of int is no entry: scanning it into an int would give
// a wrapped number, the id of some other name.
bool ParseEntry(const char* line, bool anyBase, int& id, std::string& text) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(line, &end, anyBase ? 0 : 10);
  if (end == line || errno == ERANGE || value < INT_MIN || value > INT_MAX) return false;
  char buffer[kLineBuffer];
  if (std::sscanf(end, " \"%249[^\"]", buffer) != 1) return false;
  id = static_cast<int>(value);
  text = buffer;
  return true;
}

// True when the file has at least the two header lines, which are skipped.
bool SkipHeader(std::FILE* file) {
  char line[kLineBuffer];
  return ReadRawLine(file, line) && ReadRawLine(file, line);  // NOLINT(misc-redundant-expression)
}

}  // namespace

CKVLangFile::~CKVLangFile() {
  CloseLangTypeFile();
  CloseLangUnitFile();
}

bool CKVLangFile::OpenLangTypeFile(const char* path) {
  CloseLangTypeFile();
  m_qtyTypeMap.clear();
  if (!path || !(m_typeFile = std::fopen(path, "r"))) return false;
  if (!SkipHeader(m_typeFile)) {
    CloseLangTypeFile();
    return false;
  }
  return SetTypeMap();
}

bool CKVLangFile::SetTypeMap() {
  if (!m_typeFile) return false;
  char line[kLineBuffer];
  while (ReadLine(m_typeFile, line) == LineKind::kText) {
    int id = 0;
    std::string text;
    if (ParseEntry(line, true, id, text)) m_qtyTypeMap[id] = text;
  }
  m_typeIterator = m_qtyTypeMap.begin();
  return true;
}

std::string CKVLangFile::LoadTypeString(int id) const {
  const auto it = m_qtyTypeMap.find(id);
  return it == m_qtyTypeMap.end() ? std::string() : it->second;
}

bool CKVLangFile::CloseLangTypeFile() {
  if (m_typeFile) std::fclose(m_typeFile);
  m_typeFile = nullptr;
  return true;
}

bool CKVLangFile::OpenLangUnitFile(const char* path) {
  CloseLangUnitFile();
  m_qtyUnitMap.clear();
  m_nUnitEntries = 0;
  if (!path || !(m_unitFile = std::fopen(path, "r"))) return false;
  if (!SkipHeader(m_unitFile)) {
    CloseLangUnitFile();
    return false;
  }
  SetUnitMap();
  return true;
}

int CKVLangFile::SetUnitMap() {
  if (!m_unitFile) return 0;
  char first[kLineBuffer];
  char second[kLineBuffer];
  while (ReadLine(m_unitFile, first) == LineKind::kText &&
         ReadLine(m_unitFile, second) == LineKind::kText) {
    int keyId = 0;
    int abbreviationId = 0;
    std::string key;
    std::string abbreviation;
    if (ParseEntry(first, false, keyId, key) &&
        ParseEntry(second, false, abbreviationId, abbreviation)) {
      m_qtyUnitMap[abbreviationId] = std::make_pair(key, abbreviation);
      ++m_nUnitEntries;
    }
  }
  m_unitIterator = m_qtyUnitMap.begin();
  return m_nUnitEntries;
}

std::string CKVLangFile::LoadUnitString(int id, int which) const {
  const auto it = m_qtyUnitMap.find(id);
  if (it == m_qtyUnitMap.end()) return std::string();
  return which == 1 ? it->second.first : it->second.second;
}

bool CKVLangFile::CloseLangUnitFile() {
  if (m_unitFile) std::fclose(m_unitFile);
  m_unitFile = nullptr;
  return true;
}
