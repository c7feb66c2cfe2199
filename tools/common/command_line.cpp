#include "command_line.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace tools {

namespace {

// "-1e-3" and "-.5" are values, not options.
bool IsNegativeNumber(const std::string& word) {
  return word[0] == '-' && (std::isdigit(static_cast<unsigned char>(word[1])) || word[1] == '.');
}

}  // namespace

CommandLine::CommandLine(const std::vector<std::string>& words,
                         const std::vector<OptionSpec>& options) {
  bool optionsEnded = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || word.size() < 2 || word[0] != '-' || IsNegativeNumber(word)) {
      m_arguments.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    const size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const OptionSpec* spec = Find(name, options);
    if (!spec) throw UsageError("unknown option '" + name + "'");
    if (m_values.count(name)) throw UsageError("option '" + name + "' given twice");
    if (!spec->takesValue && equals != std::string::npos) {
      throw UsageError("option '" + name + "' takes no value");
    }
    std::string value;
    if (spec->takesValue && equals != std::string::npos) {
      value = word.substr(equals + 1);
    } else if (spec->takesValue) {
      if (i + 1 == words.size()) throw UsageError("option '" + name + "' needs a value");
      value = words[++i];
    }
    m_values[name] = value;
  }
}

const OptionSpec* CommandLine::Find(const std::string& name,
                                    const std::vector<OptionSpec>& options) const {
  for (const OptionSpec& spec : options) {
    if (name == spec.name) return &spec;
  }
  return nullptr;
}

std::string CommandLine::Value(const std::string& option, const std::string& fallback) const {
  const auto found = m_values.find(option);
  return found == m_values.end() ? fallback : found->second;
}

void CommandLine::RequireArguments(size_t least, size_t most) const {
  if (m_arguments.size() < least) throw UsageError("too few arguments");
  if (m_arguments.size() > most)
    throw UsageError("unexpected argument '" + m_arguments[most] + "'");
}

long long ParseInteger(const std::string& text, const std::string& what) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    throw UsageError(what + " '" + text + "' is not a whole number");
  }
  return value;
}

double ParseNumber(const std::string& text, const std::string& what) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+' && begin + 1 != end && begin[1] != '-') {
    ++begin;  // from_chars takes no plus sign
  }
  double value = 0.0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (begin == end || error != std::errc() || stop != end || !std::isfinite(value)) {
    throw UsageError(what + " '" + text + "' is not a number");
  }
  return value;
}

}  // namespace tools
