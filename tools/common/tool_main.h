// What every koracore tool does the same way:
//  - "--help" (or "-h") prints the tool's usage on standard output, exit 0;
//  - "--version" prints "<tool> <release> (koracore)", exit 0;
//  - messages of the libraries go to standard error, so that standard
//    output holds the tool's own output only;
//  - a failure ends the tool with one line "<tool>: <why>" on standard
//    error and exit status 1, a command line it cannot use with exit status
//    2 (and a hint to --help); nothing the tool does on bad input may crash
//    it, so any exception that escapes the work ends the same way.
// Numbers are read and written in the "C" form: the tools never switch the
// process locale.
#ifndef TOOLS_COMMON_TOOL_MAIN_H
#define TOOLS_COMMON_TOOL_MAIN_H

#include <string>
#include <vector>

#include "command_line.h"

namespace tools {

struct ToolInfo {
  const char* name;
  const char* usage;  // the whole --help text
  std::vector<OptionSpec> options;
};

// The work of a tool: returns the exit status (0 for success); throws
// UsageError or Failure to stop with a message.
using ToolBody = int (*)(const CommandLine& commandLine);

int RunTool(const ToolInfo& tool, int argc, char** argv, ToolBody body);

// The tool's name, for messages printed outside RunTool.
const std::string& ToolName();

// Holds what the libraries say while it lives, instead of writing it to
// standard error, so that a tool can fold it into its own one line.
class CapturedDiagnostics {
 public:
  CapturedDiagnostics();
  ~CapturedDiagnostics();
  CapturedDiagnostics(const CapturedDiagnostics&) = delete;
  CapturedDiagnostics& operator=(const CapturedDiagnostics&) = delete;
  // What was said on one line: its lines joined by a blank after a full
  // stop or colon, else by "; ".
  std::string Text() const;

 private:
  static void Keep(int kind, const char* text, void* user);
  std::string m_text;
};

}  // namespace tools

#endif
