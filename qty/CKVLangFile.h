// CKVLangFile: display names in another language for item types, units and
// filters ("qtytype.lan", "qtyunit.lan", "qtyfilter.lan").
//
// Format, line by line (at most 249 characters of a line are read; the rest
// of a longer line is skipped):
//   two header lines, ignored;
//   entries `<id> "<text>"` - for item types and filters the id may be
//   decimal, 0x hexadecimal or 0-prefixed octal; the text runs to the next
//   double quote and anything after it is ignored;
//   for units two consecutive entries per unit (decimal ids): the display
//   name, then the abbreviation, filed under the id of the second line;
//   a line starting with "END", or the end of the file, ends the entries.
// A line that is not an entry is skipped; when an id occurs twice the later
// text wins.
#ifndef QTY_CKVLANGFILE_H
#define QTY_CKVLANGFILE_H

#include <cstdio>
#include <map>
#include <string>
#include <utility>

class CKVLangFile {
 public:
  CKVLangFile() = default;
  CKVLangFile(const CKVLangFile&) = delete;
  CKVLangFile& operator=(const CKVLangFile&) = delete;
  virtual ~CKVLangFile();

  // False when the file cannot be opened or has fewer than two lines;
  // otherwise reads every entry.
  bool OpenLangTypeFile(const char* path);
  bool SetTypeMap();
  // The text filed under id; empty when there is none.
  std::string LoadTypeString(int id) const;
  bool CloseLangTypeFile();

  bool OpenLangUnitFile(const char* path);
  // Returns the number of pairs read.
  int SetUnitMap();
  // The display name (which == 1) or the abbreviation (any other value);
  // empty when the id has no entry.
  std::string LoadUnitString(int id, int which) const;
  bool CloseLangUnitFile();

 private:
  std::FILE* m_typeFile = nullptr;
  std::FILE* m_unitFile = nullptr;
  std::map<int, std::string> m_qtyTypeMap;
  std::map<int, std::string>::const_iterator m_typeIterator;
  std::map<int, std::pair<std::string, std::string>> m_qtyUnitMap;
  std::map<int, std::pair<std::string, std::string>>::const_iterator m_unitIterator;
  int m_nUnitEntries = 0;
};

#endif
