// Trivex: the program's entry point.
#include <QApplication>
#include <QStringList>
#include <string>
#include <vector>

#include "app/crash_handler.h"
#include "app/frm_error_reports.h"
#include "app/frm_trivor.h"
#include "app/startup.h"
#include "app/system_locale.h"
#include "qt_settings_store.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trivex"));
  QApplication::setOrganizationName(QStringLiteral("Tavrell"));
  trivex::SetCurrentFormats(trivex::SystemFormatsFromLocale());
  trivex::InstallCrashHandler(trivex::TFrmErrorReports::ReportFolder().toStdString(),
                              trivex::ProgramVersion());

  std::vector<std::string> args;
  const QStringList qargs = QApplication::arguments();
  for (int i = 1; i < qargs.size(); ++i) args.push_back(qargs[i].toStdString());
  trivex::CommandLine cmd = trivex::ParseCommandLine(args);

  trivex::QtSettingsStore store;
  trivex::TFrmTrivor window(store, cmd);
  window.show();
  return QApplication::exec();
}
