#include "validate.h"

#include <memory>
#include <vector>

#include "command_line.h"
#include "dfs_values.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/legacy/catalogue.h"
#include "kfs/xfs/xfs.h"
#include "open_file.h"
#include "progress.h"

namespace kfsdump {

namespace {

// "1 item", "3 items".
std::string Count(long long n, const std::string& what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

tools::Failure Fault(long long offset, unsigned int code, const std::string& what) {
  return tools::Failure("offset " + std::to_string(offset) + ": " + StatusText(code) + ": " + what);
}

// A container opened for the walk, closed however it ends.
struct Container {
  kfsHandle f = nullptr;
  ~Container() { kfsFileClose(&f); }
};

// An item the readers refuse: a byte that begins nothing, a record of an
// unknown type or of no elements.
void CheckItem(long long at, kfsSimpleType type, unsigned count) {
  if (type == kfsTypeBlock || type == kfsTypeTerminator) return;
  if (type < kfsTypeBlock || type == kfsTypeUnknown) {
    throw Fault(at, kfsErrStructure, "a byte that begins no record and no block");
  }
  if (type > kfsTypeUInt2) {
    throw Fault(at, kfsErrStructure,
                "a record of type " + std::to_string(type) + ", which no type has");
  }
  if (count == 0) throw Fault(at, kfsErrStructure, "a record of no elements");
}

struct Walked {
  long long records = 0, blocks = 0;
};

// Every item of the body, in order, with the nesting rules of blocks.
Walked WalkContainer(const std::string& path, long long size) {
  Container c;
  const unsigned opened = kfsFileOpenRead(path.c_str(), &c.f, nullptr, nullptr);
  if (opened != 0) throw Fault(0, opened, "the container header");
  Walked walked;
  long long blockStart = -1;
  for (;;) {
    const long long at = kfsTell64(c.f);
    unsigned count = 0;
    const kfsSimpleType type = kfsQuery(c.f, &count);
    const unsigned status = kfsPeekError(c.f);
    if (type == kfsTypeUnknown && status == kfsEndOfFile) break;
    if (type == kfsTypeUnknown && status != kfsOK) throw Fault(at, status, "the next item");
    CheckItem(at, type, count);
    if (type == kfsTypeBlock && blockStart >= 0) {
      throw Fault(at, kfsErrStructure,
                  "a block begins inside the block begun at offset " + std::to_string(blockStart));
    }
    if (type == kfsTypeTerminator && blockStart < 0) {
      throw Fault(at, kfsErrStructure, "a block ends where none began");
    }
    if (type == kfsTypeBlock) blockStart = at;
    if (type == kfsTypeTerminator) blockStart = -1;
    walked.blocks += type == kfsTypeBlock;
    walked.records += type > 0;
    kfsSkip(c.f);
    const long long next = kfsTell64(c.f);
    if (kfsPeekError(c.f) > kfsEndOfFile || next > size) {
      throw Fault(at, kfsErrRead,
                  "a " + std::string(kfsSimpName(type)) + " record of " + std::to_string(count) +
                      " elements runs past the end");
    }
  }
  if (blockStart >= 0) throw Fault(blockStart, kfsErrStructure, "a block that never ends");
  return walked;
}

int StepCount(LPHEAD h) {
  int steps = 0;
  dfsGetTimeAxisInfo(h, &steps, nullptr, nullptr);
  return steps;
}

struct DataFileHandle {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  ~DataFileHandle() {
    FCloseFile(&f);
    dfsHeaderDestroy(&h);
  }
};

int ValidateStatics(DataFileHandle& d) {
  int count = 0;
  for (;;) {
    const long long at = kfsTell64(d.f);
    int status = 0;
    LPITEM item = dfsStaticRead(d.f, &status);
    if (!item && status == 0) return count;
    dfsStaticDestroy(&item);
    if (status != 0) throw Fault(at, status, "static item " + std::to_string(count + 1));
    ++count;
  }
}

void ValidateSteps(DataFileHandle& d, long long size) {
  const long long atData = kfsTell64(d.f);
  const int found = dfsFindBlockDynamic(d.h, d.f);
  if (found != 0) throw Fault(atData, found, "the start of the time steps");
  const int items = dfsGetNoOfItems(d.h);
  std::vector<std::unique_ptr<ItemValues>> buffers;
  for (int n = 1; n <= items; ++n) {
    LPITEM item = dfsItemD(d.h, n);
    const long long bytes = dfsGetItemBytes(item);
    if (!dfsIsFileCompressed(d.h) && (bytes < 0 || bytes > size)) {
      throw Fault(atData, kfsErrCount,
                  "item " + std::to_string(n) + " claims more bytes per step than the file holds");
    }
    int type = 0;
    dfsGetItemInfo(item, nullptr, nullptr, nullptr, nullptr, nullptr, &type);
    buffers.push_back(std::make_unique<ItemValues>(d.h, type, dfsGetItemElements(item)));
  }
  const int steps = StepCount(d.h);
  tools::Progress progress("step", steps);
  for (int step = 0; step < steps; ++step) {
    for (int n = 1; n <= items; ++n) {
      const long long at = kfsTell64(d.f);
      const int status = dfsReadItemTimeStep(d.h, d.f, nullptr, buffers[n - 1]->Data());
      if (status != 0) {
        throw Fault(at, status, "item " + std::to_string(n) + " of step " + std::to_string(step));
      }
    }
    progress.Update(step + 1);
  }
}

std::string ValidateDataFile(const std::string& path, long long size) {
  DataFileHandle d;
  unsigned status = 0;
  d.f = FOpenFileRead(path.c_str(), &status);
  if (!d.f) throw Fault(0, status, "the container header");
  int headerStatus = 0;
  d.h = dfsReadHeader(d.f, &headerStatus);
  if (!d.h) throw Fault(kfsTell64(d.f), headerStatus, "the data-file header, read up to here");
  if (dfsIsFileCompressed(d.h)) {
    const long long at = kfsTell64(d.f);
    const int keys = dfsReadEncodeKeys(d.h, d.f);
    if (keys != 0) throw Fault(at, keys, "the encode keys");
  }
  const int statics = ValidateStatics(d);
  ValidateSteps(d, size);
  return Count(dfsGetNoOfItems(d.h), "item") + ", " + Count(StepCount(d.h), "time step") + ", " +
         Count(statics, "static item");
}

std::string ValidateCrossSections(const std::string& path) {
  xfsTable table = nullptr;
  const unsigned status = xfsXsecTableLoad(path.c_str(), &table, 0);
  if (status != 0) throw Fault(0, status, "loading the cross-sections");
  int count = 0;
  for (xfsStrucP x = xfsXsecFind(table, "", "", nullptr, 0.0); x; x = xfsXsecNext(table, x))
    ++count;
  xfsXsecTableFree(&table);
  return Count(count, "cross-section");
}

std::string ValidateCatalogue(const std::string& path) {
  std::string prefix, name;
  int axes = 0;
  CatalogueParts(path, &prefix, &name, &axes);
  catRecord* cat = newcat(axes);
  if (!cat) throw tools::Failure("out of memory");
  const float status = CATrea(prefix.c_str(), name.c_str(), cat);
  const int items = static_cast<int>(cat->nItems);
  frecat(cat);
  if (status == -1.0f) throw tools::Failure("the catalogue or its data file cannot be read");
  if (status != 0.0f) {
    throw tools::Failure("not a catalogue of " + std::to_string(axes) +
                         " axes in either byte order (cut short or damaged)");
  }
  return Count(items, "item");
}

}  // namespace

std::string Validate(const std::string& path, const FileInfo& info) {
  if (info.kind == FileKind::eCatalogue) return "valid catalogue: " + ValidateCatalogue(path);
  const Walked walked = WalkContainer(path, info.size);
  const std::string container = Count(walked.blocks, "block") + ", " +
                                Count(walked.records, "record") + ", " + Count(info.size, "byte");
  switch (info.kind) {
    case FileKind::eDataFile:
      return "valid data file: " + ValidateDataFile(path, info.size) + "; " + container;
    case FileKind::eCrossSections:
      return "valid cross-section file: " + ValidateCrossSections(path) + "; " + container;
    default: return "valid container (" + ApiText(info.apiId) + "): " + container;
  }
}

}  // namespace kfsdump
