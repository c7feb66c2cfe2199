// A progress line on standard error for work that takes more than a few
// seconds: "kfsdump: step 120 of 480", rewritten in place a few times a
// second and cleared when the work ends. Shown only when standard error is
// a terminal, so that logs and pipes get nothing but messages.
#ifndef TOOLS_COMMON_PROGRESS_H
#define TOOLS_COMMON_PROGRESS_H

#include <chrono>
#include <string>

namespace tools {

class Progress {
 public:
  // `what` names the unit of work ("step"); `total` how many there are.
  Progress(std::string what, long long total);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // `done` units are finished. Cheap enough to call for every unit.
  void Update(long long done);

 private:
  using Clock = std::chrono::steady_clock;
  std::string m_what;
  long long m_total;
  bool m_terminal;
  bool m_shown = false;
  Clock::time_point m_start;
  Clock::time_point m_lastShown;
};

}  // namespace tools

#endif
