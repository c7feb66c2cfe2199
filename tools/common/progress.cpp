#include "progress.h"

#include <unistd.h>

#include <cstdio>

#include "tool_main.h"

namespace tools {

namespace {
// Quiet work stays quiet: the line appears only after this long.
constexpr std::chrono::seconds kQuietTime(3);
constexpr std::chrono::milliseconds kRefresh(250);
}  // namespace

Progress::Progress(std::string what, long long total)
    : m_what(std::move(what)),
      m_total(total),
      m_terminal(isatty(STDERR_FILENO) == 1),
      m_start(Clock::now()),
      m_lastShown(m_start) {}

Progress::~Progress() {
  if (m_shown) std::fputs("\r\033[K", stderr);
}

void Progress::Update(long long done) {
  if (!m_terminal) return;
  const Clock::time_point now = Clock::now();
  if (now - m_start < kQuietTime || now - m_lastShown < kRefresh) return;
  std::fprintf(stderr, "\r%s: %s %lld of %lld\033[K", ToolName().c_str(), m_what.c_str(), done,
               m_total);
  std::fflush(stderr);
  m_shown = true;
  m_lastShown = now;
}

}  // namespace tools
