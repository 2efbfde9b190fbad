#include "cli/commands/commands.h"
#include "cli/doctor/report.h"
#include "cli/doctor/survey.h"
#include "cli/session/session.h"

int RunDoctor(const Arguments& arguments) {
  const CliOptions& options = arguments.options;
  Session session(SESSION_COMMAND, options.json, true);
  if (const int status = session.Search()) return status;
  const int listed = DeviceList.count;
  if (const int status = session.ReadLate()) return status;
  const Survey survey = TakeSurvey(session.Witness(), listed);
  const std::vector<Finding> findings = FindProblems(survey);
  (options.json ? PrintDoctorJson : PrintDoctorText)(stdout, survey, findings);
  return survey.devicesFound > 0 ? EXIT_DONE : EXIT_FAILED;
}
