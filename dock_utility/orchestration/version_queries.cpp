#include "dock_utility/orchestration/version_queries.h"

namespace quaylin {

void QueryHubAndPdVersions(CommandRunner& runner, ChipVersionLines& lines) {
  runner.RunCommand(kHubPdVersionCommand, kVersionQueryTimeoutMs);
  lines.billboardLine = runner.FindReportSectionLine(kBillboardHeader, kVersionPrefix);
  lines.downstreamHubLine = runner.FindReportSectionLine(kDownstreamHubHeader, kVersionPrefix);
  lines.upstreamHubLine = runner.FindReportSectionLine(kUpstreamHubHeader, kVersionPrefix);
  lines.downstreamPdLine =
      runner.FindReportSectionLine(kDownstreamPdHeader, kApplicationVersionPrefix);
  lines.upstreamPdLine = runner.FindReportSectionLine(kUpstreamPdHeader, kApplicationVersionPrefix);
}

void QueryDisplayControllerVersion(CommandRunner& runner, DisplayVersionLines& lines) {
  runner.RunCommand(kDisplayVersionCommand, kVersionQueryTimeoutMs);
  lines.hostLine = runner.FindReportSectionLine(kDisplayVersionHeader, kHostLinePrefix);
  lines.port2Line = runner.FindReportSectionLine(kDisplayVersionHeader, kPort2LinePrefix);
  runner.RunCommand(kDeleteDisplayToolLogCommand, kVersionQueryTimeoutMs);
}

}  // namespace quaylin
