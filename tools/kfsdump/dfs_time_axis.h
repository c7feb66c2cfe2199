// The time axis of a data file as kfsdump shows it: the calendar start and
// end as ISO 8601 times, relative times in seconds.
#ifndef TOOLS_KFSDUMP_DFS_TIME_AXIS_H
#define TOOLS_KFSDUMP_DFS_TIME_AXIS_H

#include <string>

#include "kfs/dfs/dfs_types.h"
#include "report.h"

namespace kfsdump {

class TimeAxis {
 public:
  explicit TimeAxis(LPHEAD header);

  bool IsCalendar() const { return m_type == F_CAL_EQ_AXIS || m_type == F_CAL_NEQ_AXIS; }
  bool IsEquidistant() const { return m_type == F_TM_EQ_AXIS || m_type == F_CAL_EQ_AXIS; }
  int Steps() const { return m_steps; }
  // The time of a step, given in axis units from the axis start (step
  // number x step on equidistant axes, the step's own time on the others):
  // ISO 8601 on calendar axes (empty when out of the calendar's range),
  // seconds from the relative axis' origin on the others.
  std::string TimeText(double fromStart) const;
  // Axis units from the start of step `step` of an equidistant axis.
  double EquidistantTime(int step) const { return step * m_step; }

  tools::Report Describe() const;

 private:
  std::string LastTimeText() const;

  int m_type = F_UNDEFINED_TAXIS;
  int m_unit = 0;
  std::string m_unitText;
  std::string m_date, m_time;
  double m_start = 0.0;  // relative axes: the start; calendar axes: the offset
  double m_step = 0.0;   // equidistant axes
  double m_span = 0.0;   // the others
  int m_steps = 0;
  int m_firstIndex = 0;
  double m_secondsPerUnit = 1.0;
  bool m_unitKnown = false;
};

}  // namespace kfsdump

#endif
