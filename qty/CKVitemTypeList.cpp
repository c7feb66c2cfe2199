// The include-file writer: the loaded item types, units and filters as
// constants for C, Pascal, Fortran and C#, and a plain listing of each item
// type with its allowed units. A maintenance tool that writes into the
// current directory.
#include "qty/CKVitemTypeList.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/kora_diagnostics.h"
#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/QtyStatus.h"
#include "qty/qty.h"

namespace {

const char kOriginLine[] = "KORA Vale item type definitions from KVitemType";
const char kListingLine[] = "Definitions of the KORA Vale item types and allowed units.";
const char kUnitsHeading[] = "===== Engineering units =====";
const char kFiltersHeading[] = "===== Filters =====";
const char kEndOfFile[] = "===== End of file =====";
const char kGuard[] = "_KORAVALE_ITEMDEFINES_";

std::string CreationLine() {
  return std::string("Created on ") + __DATE__ + " at " + __TIME__ + " by " + "UNIX";
}

// One constant: its name, value and comment.
struct Entry {
  std::string ident;
  long id;
  std::string key;
};

struct Sections {
  std::vector<Entry> itemTypes;
  std::vector<Entry> units;
  std::vector<Entry> filters;
};

template <class List>
std::vector<Entry> EntriesOf(const List* list) {
  std::vector<Entry> entries;
  if (!list) return entries;
  for (const auto* entry : *list)
    entries.push_back({entry->GetIdent(), entry->GetId(), entry->GetKey()});
  return entries;
}

// A file opened for writing, closed on every path; reports a file it cannot
// create or finish on standard error.
class OutputFile {
 public:
  explicit OutputFile(const char* name) : m_name(name), m_file(std::fopen(name, "w")) {
    if (!m_file) koraDiagnostic(koraDiagError, "Cannot create file '%s'\n", name);
  }
  ~OutputFile() { Close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::FILE* get() const { return m_file; }
  explicit operator bool() const { return m_file != nullptr; }
  // True when everything reached the file.
  bool Close() {
    if (!m_file) return false;
    // Closed whatever happened before: a failed write must not leak the
    // stream.
    const bool written = !std::ferror(m_file);
    const bool closed = std::fclose(m_file) == 0;
    const bool ok = written && closed;
    m_file = nullptr;
    if (!ok) koraDiagnostic(koraDiagError, "Cannot write file '%s'\n", m_name);
    return ok;
  }

 private:
  const char* m_name;
  std::FILE* m_file;
};

// The layout of one of the three line-oriented definition files.
struct Layout {
  const char* fileName;
  const char* head;     // file name, origin line, creation line
  const char* guard;    // guard name twice; null for none
  const char* entry;    // ident, id, key
  const char* heading;  // section title
  const char* tail;     // closing text before the end marker; "" for none
  const char* end;      // end marker
};

const Layout kHeader = {"qtyDefine.c__",
                        "/* %s */\n/* %s */\n/* %s */\n\n",
                        "#ifndef %s\n#define %s\n\n",
                        "#define %-20s %10d /* %s */\n",
                        "\n/* %s */\n",
                        "\n#endif\n",
                        "\n/* %s */\n"};
const Layout kPascal = {"qtyDefine.p__", "(* %s *)\n(* %s *)\n(* %s *)\n\n",
                        nullptr,         "CONST   %-16s = %d; (* %s *)\n",
                        "\n(* %s *)\n",  "",
                        "\n(* %s *)\n"};
const Layout kFortran = {"qtyDefine.f__", "!     %s\n!     %s\n!     %s\n\n",
                         nullptr,         "integer, parameter :: %-20s = %10d  ! %s\n",
                         "\n!     %s\n",  "",
                         "\n!     %s\n"};

void WriteEntries(std::FILE* f, const char* format, const std::vector<Entry>& entries) {
  for (const Entry& e : entries)
    std::fprintf(f, format, e.ident.c_str(), static_cast<int>(e.id), e.key.c_str());
}

bool WriteDefinitions(const Layout& layout, const Sections& sections) {
  OutputFile file(layout.fileName);
  if (!file) return false;
  std::FILE* f = file.get();
  std::fprintf(f, layout.head, layout.fileName, kOriginLine, CreationLine().c_str());
  if (layout.guard) std::fprintf(f, layout.guard, kGuard, kGuard);
  WriteEntries(f, layout.entry, sections.itemTypes);
  std::fprintf(f, layout.heading, kUnitsHeading);
  WriteEntries(f, layout.entry, sections.units);
  std::fprintf(f, layout.heading, kFiltersHeading);
  WriteEntries(f, layout.entry, sections.filters);
  std::fputs(layout.tail, f);
  std::fprintf(f, layout.end, kEndOfFile);
  return file.Close();
}

void WriteEnum(std::FILE* f, const char* what, const char* guid, const char* name,
               const std::vector<Entry>& entries) {
  std::fprintf(f, "\t///<summary>\n\t///.NET QTY %s definitions\n\t///</summary>\n", what);
  std::fprintf(f, "\t[ComVisible(true)]\n\t[Guid(\"%s\")]\n\tpublic enum %s\n\t{\n", guid, name);
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    if (i > 0) std::fputs(",\n", f);
    std::fprintf(f, "\t\t///<summary>\n\t\t/// %s\n\t\t///</summary>\n\t\t%-20s = %10d",
                 e.key.c_str(), e.ident.c_str(), static_cast<int>(e.id));
  }
  std::fputs("\n\t}\n", f);
}

bool WriteCSharp(const Sections& sections) {
  OutputFile file("qtyDefine.cs");
  if (!file) return false;
  std::FILE* f = file.get();
  std::fputs("using System.Runtime.InteropServices;\n\nnamespace OXA.Generic.KoraVale\n{\n", f);
  WriteEnum(f, "Item", "5A1C7E20-93B4-4f2d-8C61-D04A2B7E95C3", "qtyItem", sections.itemTypes);
  std::fputs("\n", f);
  WriteEnum(f, "Unit", "5A1C7E21-93B4-4f2d-8C61-D04A2B7E95C3", "qtyUnit", sections.units);
  std::fputs("\n", f);
  WriteEnum(f, "Filter", "5A1C7E22-93B4-4f2d-8C61-D04A2B7E95C3", "qtyFilter", sections.filters);
  std::fprintf(f, "}\n/* %s */\n", kEndOfFile);
  return file.Close();
}

}  // namespace

bool CKVitemTypeList::WriteIncludes(const CKVunitList* units, const CKVfilterList* filters) const {
  Sections sections;
  sections.itemTypes = EntriesOf(this);
  sections.units = EntriesOf(units);
  sections.filters = EntriesOf(filters);
  // Every file is attempted even when an earlier one failed.
  bool ok = WriteDefinitions(kHeader, sections);
  ok = WriteDefinitions(kPascal, sections) && ok;
  ok = WriteDefinitions(kFortran, sections) && ok;
  ok = WriteCSharp(sections) && ok;
  return ok;
}

bool CKVitemTypeList::WriteAllowedUnits() const {
  OutputFile file("qtyAllowedUnits.HTML");
  if (!file) return false;
  std::FILE* f = file.get();
  std::fprintf(f, "<Pre>\n%s\n%s\n\n", kListingLine, CreationLine().c_str());
  for (const CKVitemType* itemType : *this) {
    std::fprintf(f, "\nitem: %-20s %10d   %s \n", itemType->GetIdent().c_str(),
                 static_cast<int>(itemType->GetId()), itemType->GetKey().c_str());
    for (const CKVunit* unit : itemType->GetUnitList()) {
      std::fprintf(f, "      %-20s %10d   %s \n", unit->GetIdent().c_str(),
                   static_cast<int>(unit->GetId()), unit->GetKey().c_str());
    }
  }
  return file.Close();
}

extern "C" int qtyWriteItemTypeIncludes(void) {
  return qty::Flat([] {
    const CKVregistry& registry = QtyRegistry();
    const bool includes =
        registry.ItemTypeList().WriteIncludes(&registry.UnitList(), &registry.FilterList());
    const bool listing = registry.ItemTypeList().WriteAllowedUnits();
    return includes && listing ? QtyStatus::eOk : QtyStatus::eFile;
  });
}
