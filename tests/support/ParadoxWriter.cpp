#include "tests/support/ParadoxWriter.h"

#include "data/base/Text.h"

#include <QDate>
#include <QFile>
#include <QTime>

#include "data/paradox/Pxlib.h"

#include <cstdlib>
#include <cstring>

namespace qor::test {

namespace {

int fixedSize(int type)
{
    switch (type) {
    case pxfShort:
        return 2;
    case pxfLogical:
        return 1;
    case pxfNumber:
    case pxfCurrency:
    case pxfTimestamp:
        return 8;
    default:
        return 4;
    }
}

[[noreturn]] void failWriting(const QString& what) { qFatal("writeParadox: %s", qPrintable(what)); }

void put(pxdoc_t* doc, char* data, const PxField& f, const QVariant& v)
{
    if (v.isNull())
        return;
    switch (f.type) {
    case pxfAlpha: {
        QByteArray bytes = text::toWin1252(v.toString());
        if (bytes.size() > f.size)
            failWriting(QStringLiteral("text too long for %1: %2").arg(f.name, v.toString()));
        PX_put_data_alpha(doc, data, f.size, bytes.data());
        break;
    }
    case pxfNumber:
    case pxfCurrency:
        PX_put_data_double(doc, data, 8, v.toDouble());
        break;
    case pxfDate:
        PX_put_data_long(doc, data, 4,
                         v.typeId() == QMetaType::Int ? v.toInt()
                                                      : int(v.toDate().toJulianDay() - QDate(1, 1, 1).toJulianDay() + 1));
        break;
    case pxfTime:
        PX_put_data_long(doc, data, 4, v.typeId() == QMetaType::Int ? v.toInt() : v.toTime().msecsSinceStartOfDay());
        break;
    case pxfShort:
        PX_put_data_short(doc, data, 2, short(v.toInt()));
        break;
    case pxfLogical:
        PX_put_data_byte(doc, data, 1, v.toBool() ? 1 : 0);
        break;
    default:
        PX_put_data_long(doc, data, 4, v.toInt());
    }
}

// pxlib takes the field array (and frees it with the document).
pxfield_t* newFields(const QList<PxField>& fields, int count)
{
    auto* px = static_cast<pxfield_t*>(std::calloc(size_t(count), sizeof(pxfield_t)));
    for (int i = 0; i < count; ++i) {
        const PxField& f = fields.at(i);
        px[i].px_fname = strdup(text::toWin1252(f.name).constData());
        px[i].px_ftype = char(f.type);
        px[i].px_flen = f.type == pxfAlpha ? f.size : fixedSize(f.type);
    }
    return px;
}

void writeIndex(const QString& dbPath, const QList<PxField>& fields, int keyFields, const QString& pxPath)
{
    pxdoc_t* db = PX_new();
    if (PX_open_file(db, QFile::encodeName(dbPath).constData()) < 0)
        failWriting(QStringLiteral("cannot reopen ") + dbPath);
    pxdoc_t* px = PX_new();
    if (PX_create_file(px, newFields(fields, keyFields), keyFields, QFile::encodeName(pxPath).constData(),
                       pxfFileTypPrimIndex) < 0 ||
        PX_write_primary_index(db, px) < 0)
        failWriting(QStringLiteral("cannot write ") + pxPath);
    PX_close(px);
    PX_delete(px);
    PX_close(db);
    PX_delete(db);
}

} // namespace

void writeParadox(const QString& dbPath, const QList<PxField>& fields, const QList<PxRow>& rows, int keyFields,
                  const QString& pxPath)
{
    pxdoc_t* doc = PX_new();
    if (PX_create_file(doc, newFields(fields, int(fields.size())), int(fields.size()),
                       QFile::encodeName(dbPath).constData(), keyFields > 0 ? pxfFileTypIndexDB : pxfFileTypNonIndexDB) < 0)
        failWriting(QStringLiteral("cannot create ") + dbPath);
    PX_set_value(doc, "codepage", 1252);
    if (keyFields > 0)
        PX_set_value(doc, "numprimkeys", float(keyFields));
    QByteArray record(PX_get_recordsize(doc), '\0');
    for (int r = 0; r < rows.size(); ++r) {
        record.fill('\0');
        int offset = 0;
        for (int i = 0; i < fields.size(); ++i) {
            const int size = fields.at(i).type == pxfAlpha ? fields.at(i).size : fixedSize(fields.at(i).type);
            put(doc, record.data() + offset, fields.at(i), rows.at(r).value(i));
            offset += size;
        }
        if (PX_put_recordn(doc, record.data(), r) < 0)
            failWriting(QStringLiteral("cannot write row %1 of %2").arg(r).arg(dbPath));
    }
    PX_close(doc);
    PX_delete(doc);
    if (keyFields > 0 && !pxPath.isEmpty())
        writeIndex(dbPath, fields, keyFields, pxPath);
}

} // namespace qor::test
