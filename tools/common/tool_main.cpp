#include "tool_main.h"

#include <cstdio>
#include <exception>
#include <new>

#include "base/kora_diagnostics.h"
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

// Whatever the libraries print goes to standard error: standard output is
// the tool's own.
void ToStandardError(int /*kind*/, const char* text, void* /*user*/) { std::fputs(text, stderr); }

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

CapturedDiagnostics::CapturedDiagnostics() { koraSetDiagnosticSink(&Keep, this, nullptr); }

CapturedDiagnostics::~CapturedDiagnostics() {
  koraSetDiagnosticSink(&ToStandardError, nullptr, nullptr);
}

void CapturedDiagnostics::Keep(int /*kind*/, const char* text, void* user) {
  static_cast<CapturedDiagnostics*>(user)->m_text += text;
}

std::string CapturedDiagnostics::Text() const {
  std::string text;
  size_t start = 0;
  while (start < m_text.size()) {
    size_t end = m_text.find('\n', start);
    if (end == std::string::npos) end = m_text.size();
    std::string line = m_text.substr(start, end - start);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
    // a sentence or a heading ("looked for:") goes on with a blank, a list with "; "
    const char last = text.empty() ? '\0' : text.back();
    const char* separator = text.empty() ? "" : (last == '.' || last == ':') ? " " : "; ";
    if (!line.empty()) text += separator + line;
    start = end + 1;
  }
  return text;
}

int RunTool(const ToolInfo& tool, int argc, char** argv, ToolBody body) {
  Name() = tool.name;
  koraSetDiagnosticSink(&ToStandardError, nullptr, nullptr);
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
