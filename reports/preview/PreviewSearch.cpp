#include "reports/preview/PreviewSearch.h"

#include "reports/engine/PageModel.h"


#include <algorithm>

namespace qor::reports {

namespace {

// Lower case without diacritics: decomposed, combining marks dropped.
QString folded(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out += c.toCaseFolded();
    return out;
}

} // namespace

QList<SearchHit> findText(const Document& doc, const QString& query)
{
    const QString wanted = folded(query.trimmed());
    QList<SearchHit> hits;
    if (wanted.isEmpty())
        return hits;
    for (int page = 0; page < doc.pages.size(); ++page) {
        const qsizetype first = hits.size();
        for (const auto& run : doc.pages.at(page).texts)
            if (folded(run.text).contains(wanted))
                hits << SearchHit{page, run.rect};
        std::stable_sort(hits.begin() + first, hits.end(), [](const SearchHit& a, const SearchHit& b) {
            if (a.rect.center().y() != b.rect.center().y())
                return a.rect.center().y() < b.rect.center().y();
            return a.rect.left() < b.rect.left();
        });
    }
    return hits;
}

} // namespace qor::reports
