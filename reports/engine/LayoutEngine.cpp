#include "reports/engine/LayoutEngine.h"

#include "data/base/Error.h"
#include "data/local/DataSet.h"
#include "reports/engine/DataConnections.h"
#include "reports/engine/DisplayFormat.h"
#include "reports/engine/ReportStatus.h"

#include <QHash>

#include <memory>
#include <vector>

namespace qor::reports {

namespace {

// Stands for the page count until the last page is known.
const QChar kPageCountMark(0xFDD0);

// Field values for a band: the dataset's current row, or the values noted
// from the last row of a group (footers and summary print after it).
struct RowSource {
    const data::DataSet* live = nullptr;
    const QHash<QString, QVariant>* noted = nullptr;

    QVariant value(const QString& field) const
    {
        if (live)
            return live->eof() ? QVariant() : live->value(field);
        if (noted)
            return noted->value(field.toLower());
        return {};
    }
};

struct SumField {
    QString name;
    QString key; // lower case
};

class Layouter {
public:
    Layouter(const ReportDef& report, const QDateTime& printedAt, ReportStatus* status)
        : report_(report), printedAt_(printedAt), status_(status)
    {
        doc_.reportName = report.name;
        doc_.caption = report.caption;
        doc_.paperSize = report.page.paperSize();
        doc_.landscape = report.page.landscape;
    }

    void acquire(const DataConnections& connections)
    {
        for (const QString& name : report_.connections()) {
            data::DataSet* dataSet = connections.find(name);
            if (!dataSet)
                throw Error(kind::ReportProject,
                            QStringLiteral("Relatório %1: conexão de dados não registrada: %2").arg(report_.name, name));
            uses_.push_back({name, std::make_unique<ConnectionUse>(*dataSet)});
        }
    }

    Document run()
    {
        startPage();
        for (const auto& block : report_.blocks)
            layoutBlock(block);
        finishPage();
        const QString count = QString::number(doc_.pages.size());
        for (const auto& [page, run] : pageCountRuns_)
            doc_.pages[page].texts[run].text.replace(kPageCountMark, count);
        for (auto it = uses_.rbegin(); it != uses_.rend(); ++it)
            it->use->restore();
        return std::move(doc_);
    }

private:
    struct Use {
        QString name;
        std::unique_ptr<ConnectionUse> use;
    };

    data::DataSet* dataSet(const QString& connection) const
    {
        for (const auto& u : uses_)
            if (u.name.compare(connection, Qt::CaseInsensitive) == 0)
                return &u.use->dataSet();
        return nullptr;
    }

    double bodyBottom() const
    {
        const PageDef& p = report_.page;
        return p.paperSize().height() - p.marginBottom - (report_.pageFooter ? report_.pageFooter->band.height : 0);
    }

    void startPage()
    {
        doc_.pages.append(Page{});
        y_ = report_.page.marginTop;
        if (status_)
            status_->generating(int(doc_.pages.size()));
        if (doc_.pages.size() == 1 && report_.title)
            printStatic(*report_.title);
        if (report_.pageHeader)
            printStatic(*report_.pageHeader);
        if (repeatedHeader_)
            printBand(*repeatedHeader_, RowSource{repeatedHeaderRow_, nullptr});
        topOfBody_ = y_;
    }

    void finishPage()
    {
        if (!report_.pageFooter)
            return;
        y_ = bodyBottom();
        printStatic(*report_.pageFooter);
    }

    // A band taller than a fresh page's room prints past the bottom rather
    // than breaking forever.
    void ensureSpace(double height)
    {
        if (y_ + height > bodyBottom() + 1e-6 && y_ > topOfBody_ + 1e-6) {
            finishPage();
            startPage();
        }
    }

    void printStatic(const StaticBand& band)
    {
        printBand(band.band, RowSource{band.connection.isEmpty() ? nullptr : dataSet(band.connection), nullptr});
    }

    void layoutBlock(const DataBlockDef& block)
    {
        data::DataSet& ds = *dataSet(block.connection);
        ds.first();
        const qsizetype levels = block.groups.size();

        // What footers and the summary read once their rows are behind them.
        QStringList notedFields;
        std::vector<std::vector<SumField>> groupSums(levels);
        std::vector<SumField> grandSums;
        const auto collect = [&](const BandDef& band, std::vector<SumField>& sums) {
            for (const auto& item : band.items)
                for (const auto& s : item.segments) {
                    if (s.kind == Segment::Kind::Field && !notedFields.contains(s.text, Qt::CaseInsensitive))
                        notedFields << s.text;
                    if (s.kind == Segment::Kind::Sum)
                        sums.push_back({s.text, s.text.toLower()});
                }
        };
        for (qsizetype l = 0; l < levels; ++l)
            if (block.groups[l].footer)
                collect(*block.groups[l].footer, groupSums[l]);
        if (block.summary)
            collect(*block.summary, grandSums);

        std::vector<QHash<QString, double>> groupTotals(levels);
        QHash<QString, double> grandTotals;
        QHash<QString, QVariant> noted;
        const RowSource live{&ds, nullptr};

        if (ds.eof()) {
            if (block.header) {
                ensureSpace(block.header->height + (block.noData ? block.noData->height : 0));
                printBand(*block.header, live);
            }
            if (block.noData) {
                ensureSpace(block.noData->height);
                printBand(*block.noData, RowSource{});
            }
            if (block.summary)
                printSummary(*block.summary, noted, grandTotals);
            return;
        }

        const auto printFooters = [&](qsizetype downTo) {
            for (qsizetype l = levels - 1; l >= downTo; --l) {
                if (block.groups[l].footer) {
                    ensureSpace(block.groups[l].footer->height);
                    sums_ = &groupTotals[l];
                    printBand(*block.groups[l].footer, RowSource{nullptr, &noted});
                    sums_ = nullptr;
                }
                groupTotals[l].clear();
            }
        };

        QList<QVariant> previous;
        bool firstRow = true;
        int stripeRow = 0;
        while (!ds.eof()) {
            QList<QVariant> current;
            for (const auto& g : block.groups)
                current << ds.value(g.field);
            qsizetype changed = levels;
            if (firstRow)
                changed = 0;
            else
                for (qsizetype l = 0; l < levels; ++l)
                    if (current[l] != previous[l]) {
                        changed = l;
                        break;
                    }
            if (!firstRow && changed < levels)
                printFooters(changed);

            double need = block.detail->height;
            for (qsizetype l = changed; l < levels; ++l)
                if (block.groups[l].header)
                    need += block.groups[l].header->height;
            if (firstRow && block.header)
                need += block.header->height;
            ensureSpace(need);
            if (firstRow && block.header) {
                printBand(*block.header, live);
                if (block.header->repeat) {
                    repeatedHeader_ = &*block.header;
                    repeatedHeaderRow_ = &ds;
                }
            }
            for (qsizetype l = changed; l < levels; ++l)
                if (block.groups[l].header)
                    printBand(*block.groups[l].header, live);
            if (changed < levels)
                stripeRow = 0;

            printBand(*block.detail, live, block.detail->stripe.isValid() && stripeRow % 2 == 1);
            ++stripeRow;

            for (qsizetype l = 0; l < levels; ++l)
                for (const auto& s : groupSums[l])
                    groupTotals[l][s.key] += ds.value(s.name).toDouble();
            for (const auto& s : grandSums)
                grandTotals[s.key] += ds.value(s.name).toDouble();
            for (const auto& f : notedFields)
                noted.insert(f.toLower(), ds.value(f));

            previous = current;
            firstRow = false;
            ds.next();
        }
        printFooters(0);
        repeatedHeader_ = nullptr;
        repeatedHeaderRow_ = nullptr;
        if (block.summary)
            printSummary(*block.summary, noted, grandTotals);
    }

    void printSummary(const BandDef& summary, const QHash<QString, QVariant>& noted, QHash<QString, double>& totals)
    {
        repeatedHeader_ = nullptr;
        ensureSpace(summary.height);
        sums_ = &totals;
        printBand(summary, RowSource{nullptr, &noted});
        sums_ = nullptr;
    }

    void printBand(const BandDef& band, const RowSource& row, bool striped = false)
    {
        Page& page = doc_.pages.last();
        const double left = report_.page.marginLeft;
        if (striped)
            page.boxes << BoxRun{QRectF(left, y_, report_.page.bodyWidth(), band.height), band.stripe, 0};
        for (const auto& item : band.items) {
            switch (item.kind) {
            case ItemDef::Kind::Line:
                page.lines << LineRun{QLineF(item.rect.topLeft(), item.rect.bottomRight()).translated(left, y_),
                                      item.lineWidth};
                break;
            case ItemDef::Kind::Rect:
                page.boxes << BoxRun{item.rect.translated(left, y_), item.fill, item.stroke ? item.lineWidth : 0};
                break;
            case ItemDef::Kind::Text: {
                bool countsPages = false;
                QString text = evaluate(item, row, &countsPages);
                if (countsPages)
                    pageCountRuns_.push_back({int(doc_.pages.size() - 1), int(page.texts.size())});
                page.texts << TextRun{item.rect.translated(left, y_), std::move(text), fontIndex(item), item.align};
                break;
            }
            }
        }
        y_ += band.height;
    }

    QString evaluate(const ItemDef& item, const RowSource& row, bool* countsPages) const
    {
        QString out;
        for (const auto& s : item.segments) {
            switch (s.kind) {
            case Segment::Kind::Literal:
                out += s.text;
                break;
            case Segment::Kind::Field:
                out += formatValue(row.value(s.text), s.format);
                break;
            case Segment::Kind::Sum:
                out += formatNumber(sums_ ? sums_->value(s.text.toLower()) : 0.0, s.format);
                break;
            case Segment::Kind::PageNumber:
                out += QString::number(doc_.pages.size());
                break;
            case Segment::Kind::PageCount:
                out += kPageCountMark;
                *countsPages = true;
                break;
            case Segment::Kind::PrintedAt:
                out += formatDateTime(printedAt_.date(), printedAt_.time(), s.format);
                break;
            }
        }
        return out;
    }

    int fontIndex(const ItemDef& item)
    {
        const auto it = fonts_.constFind(&item);
        if (it != fonts_.constEnd())
            return *it;
        const int index = doc_.fontIndex(item.font);
        fonts_.insert(&item, index);
        return index;
    }

    const ReportDef& report_;
    QDateTime printedAt_;
    ReportStatus* status_;
    Document doc_;
    std::vector<Use> uses_;
    std::vector<std::pair<int, int>> pageCountRuns_;
    QHash<const ItemDef*, int> fonts_;
    const BandDef* repeatedHeader_ = nullptr;
    const data::DataSet* repeatedHeaderRow_ = nullptr;
    const QHash<QString, double>* sums_ = nullptr;
    double y_ = 0;
    double topOfBody_ = 0;
};

} // namespace

Document layoutReport(const ReportDef& report, const DataConnections& connections, const QDateTime& printedAt,
                      ReportStatus* status)
{
    struct Finish {
        ReportStatus* status;
        ~Finish()
        {
            if (status)
                status->finished();
        }
    } finish{status};
    Layouter layouter(report, printedAt, status);
    layouter.acquire(connections);
    return layouter.run();
}

} // namespace qor::reports
