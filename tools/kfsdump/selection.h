// What "--item" and "--steps" select.
//
//   --item N[,M...]   items by number, from 1, in the order given
//   --steps A:B       steps A to B, both included, counted from 0;
//                     "A:" to the end, ":B" from the start, "A" one step
#ifndef TOOLS_KFSDUMP_SELECTION_H
#define TOOLS_KFSDUMP_SELECTION_H

#include <string>
#include <vector>

namespace kfsdump {

struct StepRange {
  long long first = 0;
  long long last = -1;  // -1: to the end
};

// Throws tools::UsageError for anything but the forms above.
StepRange ParseSteps(const std::string& text);
std::vector<int> ParseItems(const std::string& text);

}  // namespace kfsdump

#endif
