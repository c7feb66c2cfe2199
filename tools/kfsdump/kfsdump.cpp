// kfsdump: what a koracore file holds, read through the library itself.
#include <cstdio>
#include <string>

#include "dfs_data.h"
#include "dfs_report.h"
#include "file_kind.h"
#include "other_reports.h"
#include "selection.h"
#include "tool_main.h"
#include "unit_labels.h"
#include "validate.h"

namespace {

const char kUsage[] =
    "usage: kfsdump [--json] FILE\n"
    "       kfsdump --data [--item N[,M...]] [--steps A:B] FILE\n"
    "       kfsdump --validate FILE\n"
    "\n"
    "Shows what a koracore file holds. A data file: its header (file type, titles,\n"
    "delete values, projection), time axis with its first and last time, items with\n"
    "item type, unit, axis and statistics, and static items. A cross-section file:\n"
    "every cross-section with the counts of its tables. An older catalogue\n"
    "(NAME.ct0 to NAME.ct4, or its data file NAME.dtN): title, axes and items.\n"
    "Another container: its blocks and records.\n"
    "\n"
    "  --json        the same as JSON\n"
    "  --data        time-step values of a data file as CSV with a header row:\n"
    "                ISO 8601 times on calendar axes, seconds on relative ones,\n"
    "                an element column when an item holds more than one value per\n"
    "                step, empty fields for missing values\n"
    "  --item LIST   with --data: these items only (numbers from 1, comma-separated)\n"
    "  --steps A:B   with --data: steps A to B, both included, counted from 0\n"
    "                (A: to the end, :B from the start, A one step)\n"
    "  --validate    read the whole file and report the first structural fault with\n"
    "                its byte offset and status code (exit status 1), or a summary\n"
    "  -h, --help    this text\n"
    "      --version the koracore release\n"
    "\n"
    "Units are named from the unit table found as the libraries find it\n"
    "(KORACORE_DATA, KORA_HOME, or the installation); without one they show by id.\n"
    "Exit status: 0 done, 1 the file cannot be read or is faulty, 2 bad usage.\n";

void RequireDataFile(const kfsdump::FileInfo& info, const char* option) {
  if (info.kind != kfsdump::FileKind::eDataFile) {
    throw tools::Failure(std::string(option) + " reads data files only");
  }
}

tools::Report Describe(const std::string& path, const kfsdump::FileInfo& info,
                       std::string* problem) {
  switch (info.kind) {
    case kfsdump::FileKind::eDataFile: return kfsdump::DescribeDataFile(path, problem);
    case kfsdump::FileKind::eCrossSections: return kfsdump::DescribeCrossSections(path);
    case kfsdump::FileKind::eCatalogue: return kfsdump::DescribeCatalogue(path);
    default: return kfsdump::DescribeContainer(path, info);
  }
}

void CheckCombination(const tools::CommandLine& line) {
  const int modes = line.Has("--json") + line.Has("--data") + line.Has("--validate");
  if (modes > 1) throw tools::UsageError("--json, --data and --validate exclude each other");
  if (!line.Has("--data") && (line.Has("--item") || line.Has("--steps"))) {
    throw tools::UsageError("--item and --steps go with --data");
  }
}

int Dump(const std::string& path, const tools::CommandLine& line) {
  const kfsdump::FileInfo info = kfsdump::Identify(path);
  if (line.Has("--validate")) {
    std::printf("%s: %s\n", path.c_str(), kfsdump::Validate(path, info).c_str());
    return 0;
  }
  kfsdump::LoadUnitTable();
  if (line.Has("--data")) {
    RequireDataFile(info, "--data");
    const kfsdump::StepRange steps = kfsdump::ParseSteps(line.Value("--steps", "0:"));
    const std::vector<int> items =
        line.Has("--item") ? kfsdump::ParseItems(line.Value("--item")) : std::vector<int>();
    kfsdump::WriteDataCsv(path, items, steps, stdout);
    return 0;
  }
  std::string problem;
  const tools::Report report = Describe(path, info, &problem);
  if (line.Has("--json")) {
    report.WriteJson(stdout);
  } else {
    report.WriteText(stdout);
  }
  // What could be read is shown; a file cut short still fails.
  if (!problem.empty()) throw tools::Failure(problem);
  return 0;
}

int Run(const tools::CommandLine& line) {
  line.RequireArguments(1, 1);
  CheckCombination(line);
  const std::string path = line.Arguments()[0];
  try {
    return Dump(path, line);
  } catch (const tools::Failure& failure) {
    throw tools::Failure(path + ": " + failure.what());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const tools::ToolInfo tool{"kfsdump",
                             kUsage,
                             {{"--json", false},
                              {"--data", false},
                              {"--validate", false},
                              {"--item", true},
                              {"--steps", true}}};
  return tools::RunTool(tool, argc, argv, Run);
}
