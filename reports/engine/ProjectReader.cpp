#include "reports/engine/ProjectReader.h"

#include "data/base/Error.h"

#include <QFile>
#include <QPageSize>
#include <QXmlStreamReader>

namespace qor::reports {

namespace {

constexpr double kMmPerCm = 10.0;

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
            if (xml_.name() != QLatin1String("report"))
                unexpected();
            ReportDef report = readReport();
            if (out.find(report.name))
                fail(QStringLiteral("relatório repetido: ") + report.name);
            out.reports << report;
        }
        return out;
    }

private:
    [[noreturn]] void fail(const QString& why) const
    {
        throw Error(kind::ReportProject,
                    QStringLiteral("%1, linha %2: %3").arg(source_).arg(xml_.lineNumber()).arg(why));
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
        out.band = readBand(kind, page);
        if (out.connection.isEmpty() && usesFields(out.band))
            fail(QStringLiteral("banda com campos e sem conexão de dados"));
        return out;
    }

    DataBlockDef readBlock(const PageDef& page)
    {
        DataBlockDef block;
        block.connection = attr("connection");
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

    BandDef readBand(BandDef::Kind kind, const PageDef& page)
    {
        BandDef band;
        band.kind = kind;
        band.height = length("height", 0);
        if (band.height <= 0 || band.height > page.bodyHeight())
            fail(QStringLiteral("altura de banda inválida"));
        const FontSpec outer = font_;
        font_ = font(font_);
        while (nextChild())
            band.items << readItem(band, page);
        font_ = outer;
        return band;
    }

    ItemDef readItem(const BandDef& band, const PageDef& page)
    {
        ItemDef item;
        item.line = int(xml_.lineNumber());
        const auto n = xml_.name();
        if (n == QLatin1String("line")) {
            item.kind = ItemDef::Kind::Line;
            item.rect = QRectF(QPointF(length("x1", 0), length("y1", 0)), QPointF(length("x2", 0), length("y2", 0)));
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
            item.segments << Segment{Segment::Kind::Field, attr("name"), attr("format")};
            xml_.skipCurrentElement();
        } else if (n == QLatin1String("sum")) {
            if (band.kind != BandDef::Kind::GroupFooter && band.kind != BandDef::Kind::Summary)
                fail(QStringLiteral("<sum> só cabe em <groupFooter> ou <summary>"));
            if (attr("field").isEmpty())
                fail(QStringLiteral("<sum> sem campo"));
            item.segments << Segment{Segment::Kind::Sum, attr("field"), attr("format")};
            xml_.skipCurrentElement();
        } else if (n == QLatin1String("pageNumber")) {
            const QString content = text();
            item.segments = parseTemplate(content.isEmpty() ? QStringLiteral("{page}") : content, true);
        } else if (n == QLatin1String("dateTime")) {
            item.segments << Segment{Segment::Kind::PrintedAt, {},
                                     has("format") ? attr("format") : QStringLiteral("dd/mm/yyyy hh:nn")};
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

    // "Sessão: {NumSessao}", "{Troco|##,##0.00}"; in a page number
    // "{page}" and "{pages}" instead of fields.
    QList<Segment> parseTemplate(const QString& text, bool pageNumbers) const
    {
        QList<Segment> out;
        qsizetype pos = 0;
        while (pos < text.size()) {
            const qsizetype open = text.indexOf(QLatin1Char('{'), pos);
            if (open < 0) {
                out << Segment{Segment::Kind::Literal, text.mid(pos), {}};
                break;
            }
            if (open > pos)
                out << Segment{Segment::Kind::Literal, text.mid(pos, open - pos), {}};
            const qsizetype close = text.indexOf(QLatin1Char('}'), open);
            if (close < 0)
                fail(QStringLiteral("\"{\" sem \"}\" em: ") + text);
            const QString inner = text.mid(open + 1, close - open - 1);
            const QString name = inner.section(QLatin1Char('|'), 0, 0).trimmed();
            const QString format = inner.section(QLatin1Char('|'), 1);
            if (pageNumbers) {
                if (name == QLatin1String("page"))
                    out << Segment{Segment::Kind::PageNumber, {}, {}};
                else if (name == QLatin1String("pages"))
                    out << Segment{Segment::Kind::PageCount, {}, {}};
                else
                    fail(QStringLiteral("em <pageNumber> só {page} e {pages}: ") + text);
            } else {
                if (name.isEmpty())
                    fail(QStringLiteral("campo sem nome em: ") + text);
                out << Segment{Segment::Kind::Field, name, format};
            }
            pos = close + 1;
        }
        return out;
    }

    static bool usesFields(const BandDef& band)
    {
        for (const auto& item : band.items)
            for (const auto& s : item.segments)
                if (s.kind == Segment::Kind::Field)
                    return true;
        return false;
    }

    QXmlStreamReader xml_;
    QString source_;
    FontSpec font_;
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
