#include "selection.h"

#include <climits>

#include "command_line.h"

namespace kfsdump {

namespace {

long long Step(const std::string& text) {
  const long long step = tools::ParseInteger(text, "step");
  if (step < 0) throw tools::UsageError("step '" + text + "' is negative");
  return step;
}

}  // namespace

StepRange ParseSteps(const std::string& text) {
  const size_t colon = text.find(':');
  StepRange range;
  if (colon == std::string::npos) {
    range.first = range.last = Step(text);
    return range;
  }
  const std::string first = text.substr(0, colon), last = text.substr(colon + 1);
  if (first.empty() && last.empty()) throw tools::UsageError("steps ':' name no step");
  if (!first.empty()) range.first = Step(first);
  if (!last.empty()) range.last = Step(last);
  if (!last.empty() && range.last < range.first) {
    throw tools::UsageError("steps '" + text + "': the last step comes before the first");
  }
  return range;
}

std::vector<int> ParseItems(const std::string& text) {
  std::vector<int> items;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = std::min(text.find(',', start), text.size());
    const long long item = tools::ParseInteger(text.substr(start, comma - start), "item");
    if (item < 1 || item > INT_MAX) throw tools::UsageError("item numbers start at 1");
    items.push_back(static_cast<int>(item));
    start = comma + 1;
  }
  return items;
}

}  // namespace kfsdump
