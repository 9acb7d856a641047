#include "platform/qt/QtProcessLauncher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace plume::platform {

namespace {

QStringList ToQt(const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& a : arguments) list << QString::fromStdString(a);
  return list;
}

// A program that has not ended within this time counts as failed.
constexpr int kRunTimeoutMs = 10000;

}  // namespace

std::filesystem::path QtProcessLauncher::FindProgram(const std::string& program) {
  return QStandardPaths::findExecutable(QString::fromStdString(program)).toStdString();
}

bool QtProcessLauncher::StartDetached(const std::filesystem::path& program,
                                      const std::vector<std::string>& arguments) {
  return QProcess::startDetached(QString::fromStdString(program.string()), ToQt(arguments));
}

std::optional<std::string> QtProcessLauncher::RunAndRead(const std::filesystem::path& program,
                                                         const std::vector<std::string>& arguments) {
  QProcess process;
  process.start(QString::fromStdString(program.string()), ToQt(arguments));
  if (!process.waitForFinished(kRunTimeoutMs)) {
    process.kill();
    process.waitForFinished();
    return std::nullopt;
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
  return process.readAllStandardOutput().toStdString();
}

}  // namespace plume::platform
