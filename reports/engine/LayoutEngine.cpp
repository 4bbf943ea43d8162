#include "reports/engine/LayoutEngine.h"

#include "data/base/Error.h"
#include "data/local/DataSet.h"
#include "reports/engine/DataConnections.h"
#include "reports/engine/DisplayFormat.h"
#include "reports/engine/ReportStatus.h"
#include "reports/engine/TextFit.h"

#include <QHash>

#include <cmath>
#include <memory>
#include <vector>

namespace qor::reports {

namespace {

// Stands for the page count until the last page is known.
const QChar kPageCountMark(0xFDD0);

// What a group header says atop a page that goes on with its group.
const QString kContinued = QStringLiteral(" (continuação)");

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
    Layouter(const ReportDef& report, const QDateTime& printedAt, ReportStatus* status, const PageLaid& pageLaid)
        : report_(report), printedAt_(printedAt), status_(status), pageLaid_(pageLaid)
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
        if (report_.pageHeader)
            printStatic(*report_.pageHeader);
        if (doc_.pages.size() == 1 && report_.title)
            printStatic(*report_.title);
        if (repeatedHeader_)
            printBand(*repeatedHeader_, RowSource{repeatedHeaderRow_, nullptr});
        topOfBody_ = y_;
    }

    void finishPage()
    {
        if (report_.pageFooter) {
            y_ = bodyBottom();
            printStatic(*report_.pageFooter);
        }
        if (pageLaid_)
            pageLaid_(doc_, int(doc_.pages.size() - 1));
    }

    // A band taller than a fresh page's room prints past the bottom rather
    // than breaking forever. True when a new page was started.
    bool ensureSpace(double height)
    {
        if (y_ + height > bodyBottom() + 1e-6 && y_ > topOfBody_ + 1e-6) {
            finishPage();
            startPage();
            return true;
        }
        return false;
    }

    void printStatic(const StaticBand& band)
    {
        printBand(band.band, RowSource{band.connection.isEmpty() ? nullptr : dataSet(band.connection), nullptr});
    }

    void printBand(const BandDef& band, const RowSource& row, bool striped = false)
    {
        place(prepare(band, row, striped));
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

        if (ds.eof() && block.optional)
            return;
        if (ds.eof()) {
            const Prepared noData = block.noData ? prepare(*block.noData, RowSource{}) : Prepared{};
            if (block.header) {
                const Prepared header = prepare(*block.header, live);
                ensureSpace(header.height + noData.height);
                place(header);
            }
            if (block.noData) {
                ensureSpace(noData.height);
                place(noData);
            }
            if (block.summary)
                printSummary(*block.summary, noted, grandTotals);
            return;
        }

        const auto printFooters = [&](qsizetype downTo) {
            for (qsizetype l = levels - 1; l >= downTo; --l) {
                if (block.groups[l].footer) {
                    sums_ = &groupTotals[l];
                    const Prepared footer = prepare(*block.groups[l].footer, RowSource{nullptr, &noted});
                    sums_ = nullptr;
                    ensureSpace(footer.height);
                    place(footer);
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

            if (changed < levels)
                stripeRow = 0;
            // The row, with the headings it starts, goes whole onto one page.
            std::vector<Prepared> heads;
            double need = 0;
            if (firstRow && block.header)
                heads.push_back(prepare(*block.header, live));
            for (qsizetype l = changed; l < levels; ++l)
                if (block.groups[l].header)
                    heads.push_back(prepare(*block.groups[l].header, live));
            for (const auto& h : heads)
                need += h.height;
            prepareInto(*block.detail, live, block.detail->stripe.isValid() && stripeRow % 2 == 1, false, detail_);
            if (ensureSpace(need + detail_.height)) {
                // A new page that goes on with groups says which ones.
                for (qsizetype l = 0; l < changed; ++l)
                    if (block.groups[l].header && block.groups[l].header->repeat)
                        place(prepare(*block.groups[l].header, live, false, true));
            }
            for (size_t h = 0; h < heads.size(); ++h) {
                place(heads[h]);
                if (h == 0 && firstRow && block.header && block.header->repeat) {
                    repeatedHeader_ = &*block.header;
                    repeatedHeaderRow_ = &ds;
                }
            }
            place(detail_);
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
        sums_ = &totals;
        const Prepared band = prepare(summary, RowSource{nullptr, &noted});
        sums_ = nullptr;
        ensureSpace(band.height);
        place(band);
    }

    // A band's runs relative to its top, and its height once its texts are
    // fitted: evaluated before the page break is decided, placed after.
    struct Prepared {
        double height = 0;
        QList<BoxRun> boxes;
        QList<LineRun> lines;
        QList<TextRun> texts;
        QList<int> pageCounts; // runs that show the page count
        void clear()
        {
            boxes.clear();
            lines.clear();
            texts.clear();
            pageCounts.clear();
        }
    };

    Prepared prepare(const BandDef& band, const RowSource& row, bool striped = false, bool continued = false)
    {
        Prepared out;
        prepareInto(band, row, striped, continued, out);
        return out;
    }

    void prepareInto(const BandDef& band, const RowSource& row, bool striped, bool continued, Prepared& out)
    {
        out.clear();
        out.height = band.height;
        for (const auto& item : band.items) {
            switch (item.kind) {
            case ItemDef::Kind::Line:
                out.lines << LineRun{QLineF(item.rect.topLeft(), item.rect.bottomRight()), item.lineWidth};
                break;
            case ItemDef::Kind::Rect:
                out.boxes << BoxRun{item.rect, item.fill, item.stroke ? item.lineWidth : 0};
                break;
            case ItemDef::Kind::Text: {
                bool countsPages = false;
                bool showsField = false;
                QString text = evaluate(item, row, &countsPages, &showsField);
                if (continued && showsField)
                    text += kContinued;
                if (countsPages)
                    out.pageCounts << int(out.texts.size());
                fitText(band, item, std::move(text), out);
                break;
            }
            }
        }
        if (striped)
            out.boxes.prepend(BoxRun{QRectF(0, 0, report_.page.bodyWidth(), out.height), band.stripe, 0});
    }

    // One run when the text fits its box; else more lines below it (the
    // band grows to hold them) or, in a band that may not grow, a smaller
    // size. Nothing is cut.
    void fitText(const BandDef& band, const ItemDef& item, QString text, Prepared& out)
    {
        const int font = fontIndex(item);
        const TextFit& fit = textFit(font);
        const double width = item.rect.width();
        if (text.isEmpty() || fit.surelyFits(text, width) || fit.fits(text, width)) {
            out.texts << TextRun{item.rect, std::move(text), font, item.align};
            return;
        }
        if (!band.grow) {
            FontSpec smaller = doc_.fonts.at(font);
            smaller.size = std::floor(fit.shrunkSize(text, width) * 10.0) / 10.0;
            out.texts << TextRun{item.rect, std::move(text), doc_.fontIndex(smaller), item.align};
            return;
        }
        const QStringList lines = fit.wrap(text, width);
        const double step = fit.lineHeight();
        for (qsizetype i = 0; i < lines.size(); ++i)
            out.texts << TextRun{item.rect.translated(0, double(i) * step), lines.at(i), font, item.align};
        out.height = std::max(out.height, item.rect.bottom() + double(lines.size() - 1) * step);
    }

    void place(const Prepared& band)
    {
        Page& page = doc_.pages.last();
        const QPointF at(report_.page.marginLeft, y_);
        for (const auto& box : band.boxes)
            page.boxes << BoxRun{box.rect.translated(at), box.fill, box.stroke};
        for (const auto& line : band.lines)
            page.lines << LineRun{line.line.translated(at), line.width};
        for (int run : band.pageCounts)
            pageCountRuns_.push_back({int(doc_.pages.size() - 1), int(page.texts.size()) + run});
        for (const auto& text : band.texts)
            page.texts << TextRun{text.rect.translated(at), text.text, text.font, text.align};
        y_ += band.height;
    }

    QString evaluate(const ItemDef& item, const RowSource& row, bool* countsPages, bool* showsField) const
    {
        QString out;
        for (const auto& s : item.segments) {
            switch (s.kind) {
            case Segment::Kind::Literal:
                out += s.text;
                break;
            case Segment::Kind::Caption:
                out += report_.caption;
                break;
            case Segment::Kind::Field:
                *showsField = true;
                if (s.connection.isEmpty()) {
                    out += formatValue(row.value(s.text), s.format);
                } else {
                    const data::DataSet* other = dataSet(s.connection);
                    out += formatValue(other->eof() ? QVariant() : other->value(s.text), s.format);
                }
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

    const TextFit& textFit(int font)
    {
        while (fits_.size() <= size_t(font))
            fits_.emplace_back();
        if (!fits_[size_t(font)])
            fits_[size_t(font)] = std::make_unique<TextFit>(doc_.fonts.at(font));
        return *fits_[size_t(font)];
    }

    const ReportDef& report_;
    QDateTime printedAt_;
    ReportStatus* status_;
    const PageLaid& pageLaid_;
    std::vector<std::unique_ptr<TextFit>> fits_;
    Prepared detail_; // reused row after row
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

QChar pageCountMark() { return kPageCountMark; }

Document layoutReport(const ReportDef& report, const DataConnections& connections, const QDateTime& printedAt,
                      ReportStatus* status, const PageLaid& pageLaid)
{
    struct Finish {
        ReportStatus* status;
        ~Finish()
        {
            if (status)
                status->finished();
        }
    } finish{status};
    Layouter layouter(report, printedAt, status, pageLaid);
    layouter.acquire(connections);
    return layouter.run();
}

} // namespace qor::reports
