#pragma once

#include <QString>

#include <stdexcept>

namespace qor {

// Every error raised by our engines (local tables, order database, reports,
// files). The kind is what the operator sees after "Classe: ".
class Error : public std::runtime_error {
public:
    Error(QString kind, QString text);

    const QString& kind() const noexcept { return kind_; }
    const QString& text() const noexcept { return text_; }
    bool is(const QString& kind) const noexcept { return kind_ == kind; }

private:
    QString kind_;
    QString text_;
};

// Kind names, one per failure the callers tell apart.
namespace kind {
inline const QString KeyViolation = QStringLiteral("EKeyViolation");
inline const QString TableNotFound = QStringLiteral("ETableNotFound");
inline const QString DataFileNotFound = QStringLiteral("EDataFileNotFound");
inline const QString TableOutdated = QStringLiteral("ETableOutdated");
inline const QString RecordDeleted = QStringLiteral("ERecordDeleted");
inline const QString FieldNotFound = QStringLiteral("EFieldNotFound");
inline const QString BadFilter = QStringLiteral("EBadFilter");
inline const QString DatabaseLocked = QStringLiteral("EDatabaseLocked");
inline const QString DatabaseCorrupt = QStringLiteral("EDatabaseCorrupt");
inline const QString FolderNotFound = QStringLiteral("EFolderNotFound");
inline const QString IndexUnusable = QStringLiteral("EIndexUnusable");
inline const QString SqlError = QStringLiteral("ESqlError");
inline const QString NotEditing = QStringLiteral("ENotEditing");
inline const QString InvalidValue = QStringLiteral("EInvalidValue");
inline const QString DataSetClosed = QStringLiteral("EDataSetClosed");
inline const QString IoError = QStringLiteral("EInOutError");
inline const QString Encoding = QStringLiteral("EEncodingError");
inline const QString NotConnected = QStringLiteral("ENotConnected");
inline const QString ClientLibrary = QStringLiteral("EClientLibraryError");
inline const QString ServerUnreachable = QStringLiteral("EServerUnreachable");
inline const QString LoginRefused = QStringLiteral("ELoginRefused");
inline const QString DatabaseMissing = QStringLiteral("EDatabaseMissing");
inline const QString StatementRejected = QStringLiteral("EStatementRejected");
inline const QString UpdateRejected = QStringLiteral("EUpdateRejected");
inline const QString UpdateConflict = QStringLiteral("EUpdateConflict");
inline const QString ReportProject = QStringLiteral("EReportProjectError");
} // namespace kind

} // namespace qor
