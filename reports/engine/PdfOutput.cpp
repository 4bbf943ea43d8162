#include "reports/engine/PdfOutput.h"

#include "data/base/Error.h"
#include "reports/engine/PageModel.h"
#include "reports/engine/PageRenderer.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

namespace qor::reports {

QString PdfOutput::fileDialogFilter() const { return description + QStringLiteral(" (") + filePattern + QLatin1Char(')'); }

QString PdfOutput::withSuffix(const QString& path) const
{
    const QString suffix = filePattern.mid(filePattern.lastIndexOf(QLatin1Char('.')));
    return QFileInfo(path).suffix().isEmpty() ? path + suffix : path;
}

void PdfOutput::write(const Document& doc, const QString& path) const
{
    QPdfWriter writer(path);
    writer.setResolution(metafileDpi);
    writer.setTitle(doc.caption);
    writer.setCreator(QStringLiteral("QOR Caixa"));
    writer.setPageLayout(doc.pageLayout());
    QPainter painter;
    if (!painter.begin(&writer))
        throw Error(kind::IoError, QStringLiteral("Não foi possível gravar o arquivo ") + path);
    const PageRenderer renderer(doc);
    for (int i = 0; i < doc.pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        renderer.draw(painter, i);
    }
    painter.end();
    if (!QFileInfo::exists(path))
        throw Error(kind::IoError, QStringLiteral("Não foi possível gravar o arquivo ") + path);
}

} // namespace qor::reports
