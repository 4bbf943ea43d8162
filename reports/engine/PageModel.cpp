#include "reports/engine/PageModel.h"

#include <QPageSize>

#include <algorithm>

namespace qor::reports {

int Document::fontIndex(const FontSpec& font)
{
    const auto it = std::find(fonts.cbegin(), fonts.cend(), font);
    if (it != fonts.cend())
        return int(it - fonts.cbegin());
    fonts << font;
    return int(fonts.size() - 1);
}

QPageLayout Document::pageLayout() const
{
    const QSizeF portrait = landscape ? paperSize.transposed() : paperSize;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
}

QString Document::pageText(int page) const
{
    constexpr double kSameLine = 1.0; // mm between the middles of runs on one line
    QList<const TextRun*> runs;
    for (const auto& run : pages.at(page).texts)
        if (!run.text.isEmpty())
            runs << &run;
    std::stable_sort(runs.begin(), runs.end(),
                     [](const TextRun* a, const TextRun* b) { return a->rect.center().y() < b->rect.center().y(); });
    QStringList lines;
    for (qsizetype i = 0; i < runs.size();) {
        const double middle = runs.at(i)->rect.center().y();
        qsizetype end = i;
        while (end < runs.size() && runs.at(end)->rect.center().y() - middle < kSameLine)
            ++end;
        QList<const TextRun*> line(runs.begin() + i, runs.begin() + end);
        std::stable_sort(line.begin(), line.end(),
                         [](const TextRun* a, const TextRun* b) { return a->rect.left() < b->rect.left(); });
        QStringList parts;
        for (const auto* run : line)
            parts << run->text;
        lines << parts.join(QLatin1Char('\t'));
        i = end;
    }
    return lines.join(QLatin1Char('\n'));
}

QString Document::text() const
{
    QStringList out;
    for (int i = 0; i < pages.size(); ++i)
        out << pageText(i);
    return out.join(QLatin1Char('\f'));
}

} // namespace qor::reports
