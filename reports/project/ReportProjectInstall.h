#pragma once

#include <QByteArray>
#include <QString>

namespace qor::reports {

// The program's report project (rptCaixa.rav with the ten named reports and the three of the cash control),
// built into the program so that setup, demo and headless runs can install it.
QByteArray builtInReportProject();

// Writes the built-in project as destDir/rptCaixa.rav, creating the folder
// and replacing an older copy; returns the file's path. Raises qor::Error
// (kind IoError) naming the file when it can't be written.
QString installReportProject(const QString& destDir);

// Into the suite's report folder (C:\QUELVORA\rpt through SuitePaths).
QString installReportProject();

} // namespace qor::reports
