#pragma once

#include <QColor>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace qor::reports {

// A report project as read from its file: named reports, each with a page,
// bands and items. Lengths are millimetres (the file writes centimetres).

struct FontSpec {
    QString family = QStringLiteral("Liberation Sans");
    double size = 9.0; // points
    bool bold = false;
    bool italic = false;
    bool operator==(const FontSpec&) const = default;
};

// One piece of an item's text.
struct Segment {
    enum class Kind { Literal, Field, Sum, PageNumber, PageCount, PrintedAt, Caption };
    Kind kind = Kind::Literal;
    QString text;       // literal text, or the field name for Field and Sum
    QString format;     // display format for Field, Sum and PrintedAt
    QString connection; // Field: the connection it reads ("" = the band's own row)
};

struct ItemDef {
    enum class Kind { Text, Line, Rect };
    Kind kind = Kind::Text;
    QRectF rect; // relative to the band; a line runs from topLeft to bottomRight
    QList<Segment> segments;
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft;
    double lineWidth = 0.2;
    QColor fill;   // Rect: invalid = no fill
    bool stroke = false;
    int line = 0;  // line in the project file, for error texts
};

struct BandDef {
    enum class Kind { Title, PageHeader, PageFooter, Header, GroupHeader, GroupFooter, Detail, NoData, Summary };
    Kind kind = Kind::Detail;
    double height = 0;
    QList<ItemDef> items;
    QColor stripe;       // Detail: background of every second row
    bool repeat = true;  // Header: printed again at the top of each new page;
                         // GroupHeader: again, marked "(continuação)", atop a
                         // page that goes on with its group
    // A text longer than its box wraps onto more lines and the band grows;
    // in a band that may not grow (page bands, fixed grids) it is shrunk to fit.
    bool grow = true;
};

struct GroupDef {
    QString field;
    std::optional<BandDef> header;
    std::optional<BandDef> footer;
};

// Rows of one data connection: heading, groups (outermost first), detail,
// a band for "no rows", and a summary with the grand totals. An optional
// block (optional="true") prints nothing at all when its dataset has no row.
struct DataBlockDef {
    QString connection;
    bool optional = false;
    std::optional<BandDef> header;
    QList<GroupDef> groups;
    std::optional<BandDef> detail;
    std::optional<BandDef> noData;
    std::optional<BandDef> summary;
};

struct PageDef {
    QSizeF size{210, 297};
    bool landscape = false;
    double marginLeft = 15, marginTop = 15, marginRight = 15, marginBottom = 15;
    QSizeF paperSize() const { return landscape ? size.transposed() : size; }
    double bodyWidth() const { return paperSize().width() - marginLeft - marginRight; }
    double bodyHeight() const { return paperSize().height() - marginTop - marginBottom; }
};

struct StaticBand {
    QString connection; // "" when the band shows no field
    BandDef band;
};

struct ReportDef {
    QString name;
    QString caption; // the document's title (PDF title, preview)
    PageDef page;
    std::optional<StaticBand> title;
    std::optional<StaticBand> pageHeader;
    std::optional<StaticBand> pageFooter;
    QList<DataBlockDef> blocks;

    QStringList connections() const; // every connection the report reads, in order of first use
};

struct ProjectDef {
    QList<ReportDef> reports;
    const ReportDef* find(const QString& name) const; // case-insensitive; nullptr when absent
};

} // namespace qor::reports
