#include "tool_main.h"

#include <cstdio>
#include <exception>
#include <new>

#include "base/kora_version.h"

namespace tools {

namespace {

std::string& Name() {
  static std::string name;
  return name;
}

bool AsksFor(const std::vector<std::string>& words, const char* a, const char* b = nullptr) {
  for (const std::string& word : words) {
    if (word == "--") return false;  // what follows is an argument, whatever it looks like
    if (word == a || (b && word == b)) return true;
  }
  return false;
}

int Fail(int status, const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s: %s\n", Name().c_str(), message.c_str());
  return status;
}

int Run(const ToolInfo& tool, const std::vector<std::string>& words, ToolBody body) {
  if (AsksFor(words, "--help", "-h")) {
    std::fputs(tool.usage, stdout);
    return 0;
  }
  if (AsksFor(words, "--version")) {
    std::printf("%s %s (koracore)\n", tool.name, koraVersion(nullptr, nullptr, nullptr));
    return 0;
  }
  const CommandLine commandLine(words, tool.options);
  const int status = body(commandLine);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    return Fail(1, "standard output could not be written");
  }
  return status;
}

}  // namespace

const std::string& ToolName() { return Name(); }

int RunTool(const ToolInfo& tool, int argc, char** argv, ToolBody body) {
  Name() = tool.name;
  try {
    return Run(tool, std::vector<std::string>(argv + 1, argv + argc), body);
  } catch (const UsageError& e) {
    return Fail(2, std::string(e.what()) + " (see " + tool.name + " --help)");
  } catch (const Failure& e) {
    return Fail(1, e.what());
  } catch (const std::bad_alloc&) {
    return Fail(1, "out of memory");
  } catch (const std::exception& e) {
    return Fail(1, e.what());
  }
}

}  // namespace tools
