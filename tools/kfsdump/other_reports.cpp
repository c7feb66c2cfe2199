#include "other_reports.h"

#include "command_line.h"
#include "kfs/container/kfs.h"
#include "kfs/legacy/catalogue.h"
#include "kfs/xfs/xfs.h"
#include "open_file.h"

namespace kfsdump {

namespace {

// Items of a container listed one by one; the rest are counted only.
constexpr int kListedItems = 1000;

tools::Report CrossSection(const xfsStruc& x) {
  const double chainage = x.chainage;  // the struct is packed: copy, never refer
  return tools::Report::Object()
      .Set("topo id", x.TopoId)
      .Set("branch", x.BranchName)
      .Set("chainage", chainage)
      .Set("free id", x.FreeId)
      .Set("raw points", x.daDp.NoRaw)
      .Set("selected levels", x.daDp.NoSel)
      .Set("processed levels", x.daDp.NoPrc)
      .Set("coordinates", x.daDp.NoCoords);
}

std::string NotACatalogue(int axes) {
  return "not a catalogue of " + std::to_string(axes) +
         " axes in either byte order (cut short or damaged)";
}

struct Table {
  xfsTable table = nullptr;
  ~Table() { xfsXsecTableFree(&table); }
};

struct Catalogue {
  catRecord* cat = nullptr;
  ~Catalogue() { frecat(cat); }
};

tools::Report CatalogueAxis(const catAxis& axis) {
  return tools::Report::Object()
      .Set("sets", static_cast<double>(axis.nSets1) + 1.0)
      .Set("start", axis.start)
      .Set("interval", axis.interval)
      .Set("physical start", axis.physStart)
      .Set("unit", axis.unit);
}

tools::Report CatalogueItem(const catItem& item) {
  return tools::Report::Object()
      .Set("description", item.description)
      .Set("minimum", item.minimum)
      .Set("maximum", item.maximum)
      .Set("mean", item.mean)
      .Set("standard deviation", item.stdev)
      .Set("missing", item.missing);
}

}  // namespace

tools::Report DescribeCrossSections(const std::string& path) {
  Table t;
  const unsigned status = xfsXsecTableLoad(path.c_str(), &t.table, 0);
  if (status != 0) throw FileFailure("its cross-sections", status);
  tools::Report list = tools::Report::List();
  long long count = 0, raw = 0;
  for (xfsStrucP x = xfsXsecFind(t.table, "", "", nullptr, 0.0); x; x = xfsXsecNext(t.table, x)) {
    list.Add(CrossSection(*x));
    ++count;
    raw += x->daDp.NoRaw;
  }
  return tools::Report::Object()
      .Set("file", path)
      .Set("kind", "cross-section file")
      .Set("version", xfsXsecTableVersion())
      .Set("cross-sections", count)
      .Set("raw points", raw)
      .Set("list", std::move(list));
}

tools::Report DescribeContainer(const std::string& path, const FileInfo& info) {
  kfsHandle f = nullptr;
  const unsigned opened = kfsFileOpenRead(path.c_str(), &f, nullptr, nullptr);
  if (opened != 0) throw FileFailure("its container header", opened);
  tools::Report items = tools::Report::List();
  long long count = 0;
  for (;; ++count) {
    unsigned n = 0;
    const kfsSimpleType type = kfsQuery(f, &n);
    if (type == kfsTypeUnknown) break;
    if (count < kListedItems) {
      tools::Report item = tools::Report::Object().Set("type", kfsSimpName(type));
      items.Add(std::move(item.Set(type == kfsTypeBlock ? "id" : "count", n)));
    }
    kfsSkip(f);
  }
  const unsigned status = kfsPeekError(f);
  tools::Report report = tools::Report::Object();
  report.Set("file", path).Set("kind", "container").Set("api id", ApiText(info.apiId));
  report.Set("container", ContainerReport(f)).Set("items", count).Set("list", std::move(items));
  kfsFileClose(&f);
  if (status > kfsEndOfFile) throw FileFailure("item " + std::to_string(count + 1), status);
  return report;
}

tools::Report DescribeCatalogue(const std::string& path) {
  std::string prefix, name;
  int axes = 0;
  CatalogueParts(path, &prefix, &name, &axes);
  Catalogue c;
  c.cat = newcat(axes);
  if (!c.cat) throw tools::Failure("out of memory");
  const float status = CATrea(prefix.c_str(), name.c_str(), c.cat);
  if (status == -1.0f) throw tools::Failure("the catalogue or its data file cannot be read");
  if (status != 0.0f) throw tools::Failure(NotACatalogue(axes));
  const catRecord& cat = *c.cat;
  tools::Report axisList = tools::Report::List(), itemList = tools::Report::List();
  for (int i = 0; i < axes; ++i) axisList.Add(CatalogueAxis(cat.axis[i]));
  for (int i = 0; i < static_cast<int>(cat.nItems) && i < CAT_MAX_ITEMS; ++i) {
    itemList.Add(CatalogueItem(cat.item[i]));
  }
  return tools::Report::Object()
      .Set("file", path)
      .Set("kind", "catalogue")
      .Set("title", cat.title)
      .Set("byte order", cat.swapped ? "swapped" : "native")
      .Set("delete value", cat.deleteValue)
      .Set("start day", cat.startDate)
      .Set("time axis", CatalogueAxis(cat.time))
      .Set("axes", std::move(axisList))
      .Set("items", std::move(itemList));
}

}  // namespace kfsdump
