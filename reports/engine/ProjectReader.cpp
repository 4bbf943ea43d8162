#include "reports/engine/ProjectReader.h"

#include "data/base/Error.h"

#include <QFile>
#include <QHash>
#include <QPageSize>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace qor::reports {

namespace {

constexpr double kMmPerCm = 10.0;

// A band written once at the top of the project (<band id="...">) and used
// by reports through ref="...": kept as its XML text and read again for
// each report, whose page and font it takes.
struct SharedBand {
    QByteArray xml;
    qint64 line = 0;
};

// One column of a column set (<columns id="...">): its heading in a
// <header columns="...">, its field in a <detail columns="...">.
struct ColumnDef {
    QString caption;
    QString field;
    QString format;
    double x = 0;
    double width = 0;
    Qt::Alignment align = Qt::AlignLeft;
};

class Reader {
public:
    Reader(const QByteArray& xml, QString source) : xml_(xml), source_(std::move(source)) {}

    ProjectDef project()
    {
        ProjectDef out;
        if (!nextChild())
            fail(QStringLiteral("documento vazio ou inválido"));
        if (xml_.name() != QLatin1String("reportProject"))
            fail(QStringLiteral("o elemento raiz deve ser <reportProject>"));
        while (nextChild()) {
            const auto n = xml_.name();
            if (n == QLatin1String("band")) {
                const QString id = definitionId(bands_.contains(attr("id")));
                bands_.insert(id, capture());
            } else if (n == QLatin1String("columns")) {
                const QString id = definitionId(columns_.contains(attr("id")));
                columns_.insert(id, readColumns());
            } else if (n == QLatin1String("report")) {
                ReportDef report = readReport();
                if (out.find(report.name))
                    fail(QStringLiteral("relatório repetido: ") + report.name);
                out.reports << report;
            } else {
                unexpected();
            }
        }
        return out;
    }

private:
    [[noreturn]] void fail(const QString& why) const
    {
        throw Error(kind::ReportProject,
                    QStringLiteral("%1, linha %2: %3").arg(source_).arg(xml_.lineNumber() + lineOffset_).arg(why));
    }

    QString definitionId(bool taken) const
    {
        const QString id = attr("id");
        if (id.isEmpty())
            fail(QStringLiteral("<%1> compartilhado sem id").arg(xml_.name()));
        if (taken)
            fail(QStringLiteral("id repetido: ") + id);
        return id;
    }

    // The current element and everything inside it, as XML text.
    SharedBand capture()
    {
        SharedBand out;
        out.line = xml_.lineNumber();
        QXmlStreamWriter writer(&out.xml);
        for (int depth = 0;;) {
            writer.writeCurrentToken(xml_);
            if (xml_.isStartElement())
                ++depth;
            else if (xml_.isEndElement() && --depth == 0)
                return out;
            xml_.readNext();
            if (xml_.hasError())
                fail(xml_.errorString());
        }
    }

    QList<ColumnDef> readColumns()
    {
        QList<ColumnDef> out;
        while (nextChild()) {
            if (xml_.name() != QLatin1String("column"))
                unexpected();
            ColumnDef c;
            c.caption = attr("caption");
            c.field = attr("field");
            c.format = attr("format");
            c.x = length("x", 0);
            c.width = length("width", 0);
            c.align = alignment();
            if (c.field.isEmpty() || c.width <= 0)
                fail(QStringLiteral("<column> pede field e width"));
            xml_.skipCurrentElement();
            out << c;
        }
        return out;
    }
    [[noreturn]] void unexpected() const { fail(QStringLiteral("elemento inesperado <%1>").arg(xml_.name())); }

    // The next child element; a fault in the XML itself stops the reading here.
    bool nextChild()
    {
        const bool found = xml_.readNextStartElement();
        if (xml_.hasError())
            fail(xml_.errorString());
        return found;
    }

    QString text()
    {
        const QString t = xml_.readElementText();
        if (xml_.hasError())
            fail(xml_.errorString());
        return t;
    }

    QString attr(const char* name) const { return xml_.attributes().value(QLatin1String(name)).toString(); }
    bool has(const char* name) const { return xml_.attributes().hasAttribute(QLatin1String(name)); }

    double number(const char* name, double fallback) const
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const double v = attr(name).toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("número inválido em %1=\"%2\"").arg(QLatin1String(name), attr(name)));
        return v;
    }
    double length(const char* name, double fallbackMm) const { return number(name, fallbackMm / kMmPerCm) * kMmPerCm; }

    bool flag(const char* name, bool fallback) const
    {
        if (!has(name))
            return fallback;
        const QString v = attr(name);
        if (v == QLatin1String("true"))
            return true;
        if (v == QLatin1String("false"))
            return false;
        fail(QStringLiteral("valor lógico inválido em %1=\"%2\"").arg(QLatin1String(name), v));
    }

    QColor color(const char* name) const
    {
        if (!has(name))
            return {};
        const QColor c = QColor::fromString(attr(name));
        if (!c.isValid())
            fail(QStringLiteral("cor inválida: ") + attr(name));
        return c;
    }

    FontSpec font(FontSpec base) const
    {
        if (has("family"))
            base.family = attr("family");
        base.size = number("size", base.size);
        base.bold = flag("bold", base.bold);
        base.italic = flag("italic", base.italic);
        return base;
    }

    ReportDef readReport()
    {
        ReportDef r;
        r.name = attr("name");
        if (r.name.isEmpty())
            fail(QStringLiteral("relatório sem nome"));
        r.caption = has("caption") ? attr("caption") : r.name;
        font_ = FontSpec{};
        while (nextChild()) {
            const auto n = xml_.name();
            if (n == QLatin1String("page"))
                readPage(r.page);
            else if (n == QLatin1String("font")) {
                font_ = font(font_);
                xml_.skipCurrentElement();
            } else if (n == QLatin1String("title"))
                r.title = readStaticBand(BandDef::Kind::Title, r.page);
            else if (n == QLatin1String("pageHeader"))
                r.pageHeader = readStaticBand(BandDef::Kind::PageHeader, r.page);
            else if (n == QLatin1String("pageFooter"))
                r.pageFooter = readStaticBand(BandDef::Kind::PageFooter, r.page);
            else if (n == QLatin1String("data"))
                r.blocks << readBlock(r.page);
            else
                unexpected();
        }
        return r;
    }

    void readPage(PageDef& page)
    {
        const QString size = has("size") ? attr("size") : QStringLiteral("A4");
        const QPageSize::PageSizeId ids[] = {QPageSize::A4, QPageSize::A5, QPageSize::Letter, QPageSize::Legal};
        bool known = false;
        for (const auto id : ids) {
            if (QPageSize::key(id).compare(size, Qt::CaseInsensitive) == 0) {
                page.size = QPageSize::size(id, QPageSize::Millimeter);
                known = true;
            }
        }
        if (!known)
            fail(QStringLiteral("tamanho de página desconhecido: ") + size);
        const QString orientation = attr("orientation");
        if (!orientation.isEmpty() && orientation != QLatin1String("portrait") && orientation != QLatin1String("landscape"))
            fail(QStringLiteral("orientação inválida: ") + orientation);
        page.landscape = orientation == QLatin1String("landscape");
        page.marginLeft = length("left", page.marginLeft);
        page.marginTop = length("top", page.marginTop);
        page.marginRight = length("right", page.marginRight);
        page.marginBottom = length("bottom", page.marginBottom);
        if (page.bodyWidth() <= 0 || page.bodyHeight() <= 0)
            fail(QStringLiteral("margens maiores que a página"));
        xml_.skipCurrentElement();
    }

    StaticBand readStaticBand(BandDef::Kind kind, const PageDef& page)
    {
        StaticBand out;
        out.connection = attr("connection");
        out.band = readBand(kind, page, &out.connection);
        if (out.connection.isEmpty() && usesFields(out.band))
            fail(QStringLiteral("banda com campos e sem conexão de dados"));
        return out;
    }

    // A shared band read for this report; its connection goes to
    // `connection` unless the using element names one.
    BandDef sharedBand(const QString& id, BandDef::Kind kind, const PageDef& page, QString* connection) const
    {
        const auto it = bands_.constFind(id);
        if (it == bands_.constEnd())
            fail(QStringLiteral("banda compartilhada não definida (defina-a antes do relatório): ") + id);
        Reader shared(it->xml, source_);
        shared.lineOffset_ = it->line - 1;
        shared.font_ = font_;
        shared.columns_ = columns_;
        shared.nextChild();
        if (connection && connection->isEmpty())
            *connection = shared.attr("connection");
        if (shared.has("ref"))
            shared.fail(QStringLiteral("uma banda compartilhada não usa outra"));
        return shared.readBand(kind, page);
    }

    DataBlockDef readBlock(const PageDef& page)
    {
        DataBlockDef block;
        block.connection = attr("connection");
        block.optional = flag("optional", false);
        if (block.connection.isEmpty())
            fail(QStringLiteral("<data> sem conexão de dados"));
        while (nextChild()) {
            const auto n = xml_.name();
            if (n == QLatin1String("header")) {
                const bool repeat = flag("repeat", true);
                block.header = readBand(BandDef::Kind::Header, page);
                block.header->repeat = repeat;
            } else if (n == QLatin1String("group"))
                block.groups << readGroup(page);
            else if (n == QLatin1String("detail")) {
                const QColor stripe = color("stripe");
                block.detail = readBand(BandDef::Kind::Detail, page);
                block.detail->stripe = stripe;
            } else if (n == QLatin1String("noData"))
                block.noData = readBand(BandDef::Kind::NoData, page);
            else if (n == QLatin1String("summary"))
                block.summary = readBand(BandDef::Kind::Summary, page);
            else
                unexpected();
        }
        if (!block.detail)
            fail(QStringLiteral("<data> sem <detail>"));
        return block;
    }

    GroupDef readGroup(const PageDef& page)
    {
        GroupDef group;
        group.field = attr("field");
        if (group.field.isEmpty())
            fail(QStringLiteral("<group> sem campo"));
        while (nextChild()) {
            if (xml_.name() == QLatin1String("groupHeader"))
                group.header = readBand(BandDef::Kind::GroupHeader, page);
            else if (xml_.name() == QLatin1String("groupFooter"))
                group.footer = readBand(BandDef::Kind::GroupFooter, page);
            else
                unexpected();
        }
        return group;
    }

    BandDef readBand(BandDef::Kind kind, const PageDef& page, QString* connection = nullptr)
    {
        BandDef band;
        const bool pageBand =
            kind == BandDef::Kind::Title || kind == BandDef::Kind::PageHeader || kind == BandDef::Kind::PageFooter;
        band.grow = !pageBand;
        if (has("ref"))
            band = sharedBand(attr("ref"), kind, page, connection);
        band.kind = kind;
        band.height = length("height", band.height);
        if (band.height <= 0 || band.height > page.bodyHeight())
            fail(QStringLiteral("altura de banda inválida"));
        band.grow = flag("grow", band.grow);
        const FontSpec outer = font_;
        font_ = font(font_);
        if (has("columns"))
            band.items << columnItems(attr("columns"), band);
        while (nextChild())
            band.items << readItem(band, page);
        font_ = outer;
        return band;
    }

    // A column set's headings (in a header) or fields (in a detail).
    QList<ItemDef> columnItems(const QString& id, const BandDef& band) const
    {
        const auto it = columns_.constFind(id);
        if (it == columns_.constEnd())
            fail(QStringLiteral("conjunto de colunas não definido (defina-o antes do relatório): ") + id);
        if (band.kind != BandDef::Kind::Header && band.kind != BandDef::Kind::Detail)
            fail(QStringLiteral("columns só cabe em <header> ou <detail>"));
        QList<ItemDef> out;
        for (const ColumnDef& c : *it) {
            ItemDef item;
            item.line = int(xml_.lineNumber() + lineOffset_);
            item.rect = QRectF(c.x, 0, c.width, band.height);
            item.font = font_;
            item.align = c.align;
            if (band.kind == BandDef::Kind::Header)
                item.segments << Segment{Segment::Kind::Literal, c.caption, {}, {}};
            else
                item.segments << Segment{Segment::Kind::Field, c.field, c.format, {}};
            out << item;
        }
        return out;
    }

    ItemDef readItem(const BandDef& band, const PageDef& page)
    {
        ItemDef item;
        item.line = int(xml_.lineNumber() + lineOffset_);
        const auto n = xml_.name();
        if (n == QLatin1String("line")) {
            item.kind = ItemDef::Kind::Line;
            // A line without x2 runs to the right margin (one rule for any page).
            item.rect = QRectF(QPointF(length("x1", 0), length("y1", 0)),
                               QPointF(length("x2", page.bodyWidth()), length("y2", 0)));
            item.lineWidth = length("width", 0.2);
            xml_.skipCurrentElement();
            return item;
        }
        const double x = length("x", 0), y = length("y", 0);
        item.rect = QRectF(x, y, length("width", page.bodyWidth() - x), length("height", band.height - y));
        if (n == QLatin1String("rect")) {
            item.kind = ItemDef::Kind::Rect;
            item.fill = color("fill");
            item.stroke = flag("stroke", false);
            item.lineWidth = length("lineWidth", 0.2);
            xml_.skipCurrentElement();
            return item;
        }
        item.font = font(font_);
        item.align = alignment();
        if (n == QLatin1String("text")) {
            item.segments = parseTemplate(text(), false);
        } else if (n == QLatin1String("field")) {
            if (attr("name").isEmpty())
                fail(QStringLiteral("<field> sem nome"));
            item.segments << Segment{Segment::Kind::Field, attr("name"), attr("format"), attr("connection")};
            xml_.skipCurrentElement();
        } else if (n == QLatin1String("sum")) {
            if (band.kind != BandDef::Kind::GroupFooter && band.kind != BandDef::Kind::Summary)
                fail(QStringLiteral("<sum> só cabe em <groupFooter> ou <summary>"));
            if (attr("field").isEmpty())
                fail(QStringLiteral("<sum> sem campo"));
            item.segments << Segment{Segment::Kind::Sum, attr("field"), attr("format"), {}};
            xml_.skipCurrentElement();
        } else if (n == QLatin1String("pageNumber")) {
            const QString content = text();
            item.segments = parseTemplate(content.isEmpty() ? QStringLiteral("{page}") : content, true);
        } else if (n == QLatin1String("dateTime")) {
            item.segments << Segment{Segment::Kind::PrintedAt, {},
                                     has("format") ? attr("format") : QStringLiteral("dd/mm/yyyy hh:nn"), {}};
            xml_.skipCurrentElement();
        } else {
            unexpected();
        }
        return item;
    }

    Qt::Alignment alignment() const
    {
        const QString a = attr("align");
        if (a.isEmpty() || a == QLatin1String("left"))
            return Qt::AlignLeft;
        if (a == QLatin1String("right"))
            return Qt::AlignRight;
        if (a == QLatin1String("center"))
            return Qt::AlignHCenter;
        fail(QStringLiteral("alinhamento inválido: ") + a);
    }

    // "Sessão: {NumSessao}", "{Troco|##,##0.00}", a field of another
    // connection "{rvdsCabecalho.Loja}", the report's caption "{@caption}";
    // in a page number "{page}" and "{pages}" instead of fields.
    QList<Segment> parseTemplate(const QString& text, bool pageNumbers) const
    {
        QList<Segment> out;
        qsizetype pos = 0;
        while (pos < text.size()) {
            const qsizetype open = text.indexOf(QLatin1Char('{'), pos);
            if (open < 0) {
                out << Segment{Segment::Kind::Literal, text.mid(pos), {}, {}};
                break;
            }
            if (open > pos)
                out << Segment{Segment::Kind::Literal, text.mid(pos, open - pos), {}, {}};
            const qsizetype close = text.indexOf(QLatin1Char('}'), open);
            if (close < 0)
                fail(QStringLiteral("\"{\" sem \"}\" em: ") + text);
            const QString inner = text.mid(open + 1, close - open - 1);
            const QString name = inner.section(QLatin1Char('|'), 0, 0).trimmed();
            const QString format = inner.section(QLatin1Char('|'), 1);
            if (pageNumbers) {
                if (name == QLatin1String("page"))
                    out << Segment{Segment::Kind::PageNumber, {}, {}, {}};
                else if (name == QLatin1String("pages"))
                    out << Segment{Segment::Kind::PageCount, {}, {}, {}};
                else
                    fail(QStringLiteral("em <pageNumber> só {page} e {pages}: ") + text);
            } else {
                const QString field = name.section(QLatin1Char('.'), -1);
                const QString connection = name.section(QLatin1Char('.'), 0, -2);
                if (field.isEmpty())
                    fail(QStringLiteral("campo sem nome em: ") + text);
                if (name == QLatin1String("@caption"))
                    out << Segment{Segment::Kind::Caption, {}, {}, {}};
                else if (name.startsWith(QLatin1Char('@')))
                    fail(QStringLiteral("só {@caption} começa com @: ") + text);
                else
                    out << Segment{Segment::Kind::Field, field, format, connection};
            }
            pos = close + 1;
        }
        return out;
    }

    static bool usesFields(const BandDef& band)
    {
        for (const auto& item : band.items)
            for (const auto& s : item.segments)
                if (s.kind == Segment::Kind::Field && s.connection.isEmpty())
                    return true;
        return false;
    }

    QXmlStreamReader xml_;
    QString source_;
    FontSpec font_;
    qint64 lineOffset_ = 0; // a shared band's first line in the project file, less one
    QHash<QString, SharedBand> bands_;
    QHash<QString, QList<ColumnDef>> columns_;
};

} // namespace

ProjectDef parseProject(const QByteArray& xml, const QString& sourceName)
{
    return Reader(xml, sourceName).project();
}

ProjectDef readProjectFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw Error(kind::ReportProject, QStringLiteral("Projeto de relatórios não encontrado: ") + path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(kind::ReportProject,
                    QStringLiteral("Não foi possível abrir o projeto de relatórios %1: %2").arg(path, file.errorString()));
    return parseProject(file.readAll(), path);
}

} // namespace qor::reports
