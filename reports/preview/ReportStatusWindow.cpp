#include "reports/preview/ReportStatusWindow.h"

#include "reports/engine/ReportSystem.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace qor::reports {

ReportStatusWindow::ReportStatusWindow(const ReportSystem& settings)
    : QWidget(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowStaysOnTopHint),
      settings_(settings),
      label_(new QLabel(this))
{
    setObjectName(QStringLiteral("ReportStatusWindow"));
    setWindowTitle(settings.statusTitle);
    label_->setObjectName(QStringLiteral("statusText"));
    label_->setAlignment(Qt::AlignCenter);
    label_->setMinimumWidth(260);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(label_);
}

void ReportStatusWindow::showText(const QString& pattern, int page)
{
    label_->setText(ReportSystem::statusText(pattern, page));
    if (!isVisible())
        show();
    // The work runs on this thread: let the window paint between pages.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ReportStatusWindow::generating(int page) { showText(settings_.statusGenerating, page); }
void ReportStatusWindow::printing(int page) { showText(settings_.statusPrinting, page); }
void ReportStatusWindow::finished() { hide(); }

QString ReportStatusWindow::text() const { return label_->text(); }

} // namespace qor::reports
