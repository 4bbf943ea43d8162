#pragma once

#include "reports/engine/ReportStatus.h"

#include <QWidget>

class QLabel;

namespace qor::reports {

struct ReportSystem;

// The status window "Estatus do Relatório": shown while pages are
// generated ("Aguarde - gerando pág. %p") and printed ("Imprimindo pág. %p"),
// hidden when done. A top-level window of its own, kept above the others,
// so that it never outlives or is deleted by a parent.
class ReportStatusWindow final : public QWidget, public ReportStatus {
    Q_OBJECT
public:
    explicit ReportStatusWindow(const ReportSystem& settings);

    void generating(int page) override;
    void printing(int page) override;
    void finished() override;

    QString text() const;

private:
    void showText(const QString& pattern, int page);

    const ReportSystem& settings_;
    QLabel* label_;
};

} // namespace qor::reports
