#include "cash/export/DataPacket.h"

#include <QDateTime>
#include <QLocale>

namespace qor::cash {

using data::FieldDef;
using data::FieldKind;

QString dfXmlDate(const QDate& d) { return d.toString(QStringLiteral("yyyyMMdd")); }

// The readers' time layout: hours, minutes and seconds with colons, then the
// milliseconds straight after. No sample from a receiving station confirms
// it, so it lives here alone; date-times reuse it.
QString dfXmlTime(const QTime& t) { return t.toString(QStringLiteral("HH:mm:sszzz")); }

QString dfXmlDateTime(const QDateTime& dt) { return dfXmlDate(dt.date()) + QLatin1Char('T') + dfXmlTime(dt.time()); }

QString dfXmlFloat(double v) { return QString::number(v, 'f', QLocale::FloatingPointShortest); }

QString dfXmlEscape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t cp : text.toUcs4()) {
        const bool plain = cp >= 0x20 && cp < 0x7F && cp != U'"' && cp != U'&' && cp != U'<';
        if (plain)
            out += QChar(char16_t(cp));
        else
            out += QStringLiteral("&#") + QString::number(quint32(cp)) + QLatin1Char(';');
    }
    return out;
}

static QString fieldType(const FieldDef& f)
{
    switch (f.kind) {
    case FieldKind::Text:
        return QStringLiteral("fieldtype=\"string\" WIDTH=\"%1\"").arg(f.size);
    case FieldKind::Integer:
        return QStringLiteral("fieldtype=\"i4\"");
    case FieldKind::Float:
        return QStringLiteral("fieldtype=\"r8\"");
    case FieldKind::Date:
        return QStringLiteral("fieldtype=\"date\"");
    case FieldKind::Time:
        return QStringLiteral("fieldtype=\"time\"");
    case FieldKind::DateTime:
        return QStringLiteral("fieldtype=\"dateTime\"");
    }
    return {};
}

static QString valueText(FieldKind kind, const QVariant& v)
{
    switch (kind) {
    case FieldKind::Text:
        return v.toString();
    case FieldKind::Integer:
        return QString::number(v.toLongLong());
    case FieldKind::Float:
        return dfXmlFloat(v.toDouble());
    case FieldKind::Date:
        return dfXmlDate(v.toDate());
    case FieldKind::Time:
        return dfXmlTime(v.toTime());
    case FieldKind::DateTime:
        return dfXmlDateTime(v.toDateTime());
    }
    return {};
}

QString toDfXml(const DataPacket& packet)
{
    QString out = QStringLiteral("<?xml version=\"1.0\" standalone=\"yes\"?>"
                                 "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>");
    for (const FieldDef& f : packet.fields)
        out += QStringLiteral("<FIELD attrname=\"") + dfXmlEscape(f.name) + QStringLiteral("\" ") + fieldType(f)
            + QStringLiteral("/>");
    out += QStringLiteral("</FIELDS><PARAMS/></METADATA><ROWDATA>");
    if (packet.row) {
        out += QStringLiteral("<ROW");
        for (qsizetype i = 0; i < packet.fields.size() && i < packet.row->size(); ++i) {
            const QVariant& v = packet.row->at(i);
            if (v.isNull())
                continue;
            const FieldDef& f = packet.fields.at(i);
            out += QLatin1Char(' ') + dfXmlEscape(f.name) + QStringLiteral("=\"")
                + dfXmlEscape(valueText(f.kind, v)) + QLatin1Char('"');
        }
        out += QStringLiteral("/>");
    }
    out += QStringLiteral("</ROWDATA></DATAPACKET>");
    return out;
}

} // namespace qor::cash
