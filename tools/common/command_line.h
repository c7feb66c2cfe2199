// The command line of a koracore tool: long options ("--item 3" or
// "--item=3"), "--" to end them, and arguments.
//
// A tool names its options in a table; anything else that starts with "-"
// (a lone "-" and negative numbers such as "-1.5" aside) is refused, so that a mistyped option is never taken
// for a file or folder name. "--help"/"-h" and "--version" are answered by
// RunTool (tool_main.h) before a tool sees its command line.
#ifndef TOOLS_COMMON_COMMAND_LINE_H
#define TOOLS_COMMON_COMMAND_LINE_H

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace tools {

// A command line that cannot be used: exit status 2, with the message and a
// hint to --help.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The work itself failed (a missing file, a damaged one): exit status 1.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OptionSpec {
  const char* name;  // with the leading "--"
  bool takesValue;
};

class CommandLine {
 public:
  // Throws UsageError for an unknown option, a missing value, a value given
  // to an option that takes none, or an option given twice.
  CommandLine(const std::vector<std::string>& words, const std::vector<OptionSpec>& options);

  bool Has(const std::string& option) const { return m_values.count(option) != 0; }
  // The value of an option, or `fallback` when it was not given.
  std::string Value(const std::string& option, const std::string& fallback = "") const;
  const std::vector<std::string>& Arguments() const { return m_arguments; }
  // Throws UsageError unless the number of arguments is within [least, most].
  void RequireArguments(size_t least, size_t most) const;

 private:
  const OptionSpec* Find(const std::string& name, const std::vector<OptionSpec>& options) const;
  std::map<std::string, std::string> m_values;
  std::vector<std::string> m_arguments;
};

// Whole numbers and numbers of the command line, in the "C" form whatever
// the locale; UsageError names `what` when the text is not one.
long long ParseInteger(const std::string& text, const std::string& what);
double ParseNumber(const std::string& text, const std::string& what);

}  // namespace tools

#endif
