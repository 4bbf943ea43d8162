#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace qor::reports {

struct Document;

// A text found in the preview: the page (from 0) and the box of the text
// run that holds it, in millimetres of the page model.
struct SearchHit {
    int page = 0;
    QRectF rect;
    bool operator==(const SearchHit&) const = default;
};

// Every text run of the document containing query, ignoring case and
// accents ("operacao" finds "Operação"), page by page in reading order (top
// to bottom, then left to right). An empty query finds nothing.
QList<SearchHit> findText(const Document& doc, const QString& query);

} // namespace qor::reports
