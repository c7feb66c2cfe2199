#include "dfs_time_axis.h"

#include "calendar.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_time.h"
#include "qty/qty.h"
#include "unit_labels.h"

namespace kfsdump {

namespace {
constexpr int kSecond = 1400;
}  // namespace

TimeAxis::TimeAxis(LPHEAD header) : m_type(dfsGetTimeAxisType(header)) {
  const char *unitText = nullptr, *date = nullptr, *time = nullptr;
  switch (m_type) {
    case F_TM_EQ_AXIS:
      dfsGetEqTimeAxis(header, &m_unit, &unitText, &m_start, &m_step, &m_steps, &m_firstIndex);
      break;
    case F_TM_NEQ_AXIS:
      dfsGetNeqTimeAxis(header, &m_unit, &unitText, &m_start, &m_span, &m_steps, &m_firstIndex);
      break;
    case F_CAL_EQ_AXIS:
      dfsGetEqCalendarAxis(header, &date, &time, &m_unit, &unitText, &m_start, &m_step, &m_steps,
                           &m_firstIndex);
      break;
    case F_CAL_NEQ_AXIS:
      dfsGetNeqCalendarAxis(header, &date, &time, &m_unit, &unitText, &m_start, &m_span, &m_steps,
                            &m_firstIndex);
      break;
    default: return;
  }
  m_unitText = unitText ? unitText : "";
  m_date = date ? date : "";
  m_time = time ? time : "";
  m_unitKnown = qtyConvertUnit(m_unit, kSecond, &m_secondsPerUnit, 1.0) == 1;
  if (!m_unitKnown) m_secondsPerUnit = 1.0;
}

std::string TimeAxis::TimeText(double fromStart) const {
  if (IsCalendar()) return IsoTime(m_date, m_time, (m_start + fromStart) * m_secondsPerUnit);
  return tools::NumberText((m_start + fromStart) * m_secondsPerUnit);
}

std::string TimeAxis::LastTimeText() const {
  if (m_steps < 1) return std::string();
  return TimeText(IsEquidistant() ? EquidistantTime(m_steps - 1) : m_span);
}

tools::Report TimeAxis::Describe() const {
  tools::Report axis = tools::Report::Object();
  axis.Set("type", m_type).Set("name", dfsTimeAxisTypeStr(m_type));
  if (m_type < F_TM_EQ_AXIS || m_type > F_CAL_NEQ_AXIS) return axis;
  // An older file may name its unit only; the name is then shown as stored.
  const bool textOnly = !m_unitKnown && !m_unitText.empty();
  axis.Set("unit", UnitReport(textOnly ? -1 : m_unit, m_unitText.c_str()));
  if (IsCalendar()) axis.Set("start date", m_date).Set("start time", m_time);
  axis.Set(IsCalendar() ? "start offset" : "start", m_start);
  axis.Set(IsEquidistant() ? "step" : "span", IsEquidistant() ? m_step : m_span);
  axis.Set("steps", m_steps).Set("first index", m_firstIndex);
  if (!m_unitKnown) return axis.Set("seconds per unit", "unknown");
  axis.Set("seconds per unit", m_secondsPerUnit);
  const char* unit = IsCalendar() ? "" : " (s)";
  axis.Set(std::string("first time") + unit, m_steps > 0 ? TimeText(0.0) : std::string());
  axis.Set(std::string("last time") + unit, LastTimeText());
  return axis;
}

}  // namespace kfsdump
