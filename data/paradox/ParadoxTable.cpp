#include "data/paradox/ParadoxTable.h"

#include "data/base/Error.h"
#include "data/base/Text.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTime>

#include "data/paradox/Pxlib.h"

#include <algorithm>

namespace qor::paradox {

namespace {

// pxlib reports through a handler; the last complaint goes into our errors.
void keepMessage(pxdoc_t*, int, const char* message, void* data)
{
    *static_cast<QString*>(data) = QString::fromLocal8Bit(message).trimmed();
}

struct PxDoc {
    pxdoc_t* doc = nullptr;
    bool opened = false;
    explicit PxDoc(QString* messages) : doc(PX_new3(keepMessage, nullptr, nullptr, nullptr, messages)) {}
    ~PxDoc()
    {
        if (!doc)
            return;
        if (opened)
            PX_close(doc);
        PX_delete(doc);
    }
    PxDoc(const PxDoc&) = delete;
    PxDoc& operator=(const PxDoc&) = delete;
};

bool allZero(const char* bytes, int size)
{
    return std::all_of(bytes, bytes + size, [](char c) { return c == 0; });
}

} // namespace

struct ParadoxTable::Impl {
    QString path;
    QString message;  // pxlib's last complaint about the data file
    QString indexMessage;
    PxDoc db{&message};
    PxDoc index{&indexMessage};
    QList<ParadoxField> fields;
    QList<int> offsets;
    QByteArray record;
    QString indexProblem;
    int row = -1;

    [[noreturn]] void fail(const QString& what) const
    {
        throw Error(kind::IoError, QStringLiteral("%1: %2%3").arg(QDir::toNativeSeparators(path), what,
                                                                   message.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(message)));
    }

    void useIndex(const QString& pxPath)
    {
        const QByteArray name = QFile::encodeName(pxPath);
        if (!index.doc || PX_open_file(index.doc, name.constData()) < 0) {
            indexProblem = indexMessage.isEmpty() ? QStringLiteral("não abre") : indexMessage;
            return;
        }
        index.opened = true;
        if (PX_read_primary_index(index.doc) < 0 || PX_add_primary_index(db.doc, index.doc) < 0)
            indexProblem = indexMessage.isEmpty() ? message : indexMessage;
        // A refused index leaves pxlib's own reading of the data blocks.
    }

    QVariant decode(int i) const
    {
        const ParadoxField& f = fields.at(i);
        // A const record pxlib reads but never writes through.
        char* data = const_cast<char*>(record.constData()) + offsets.at(i);
        if (allZero(data, f.size))
            return {};
        switch (f.type) {
        case pxfAlpha:
            return text::fromWin1252(QByteArray(data, int(qstrnlen(data, uint(f.size)))));
        case pxfNumber: {
            double v = 0;
            PX_get_data_double(db.doc, data, f.size, &v);
            return v;
        }
        case pxfLong:
        case pxfDate:
        case pxfTime: {
            long v = 0;
            PX_get_data_long(db.doc, data, f.size, &v);
            return fromLong(f, v);
        }
        default:
            throw Error(kind::InvalidValue, QStringLiteral("o campo %1 é de um tipo que o caixa não lê").arg(f.name));
        }
    }

    static QVariant fromLong(const ParadoxField& f, long v)
    {
        if (f.type == pxfLong)
            return int(v);
        if (f.type == pxfDate) {
            const QDate date = v >= 1 ? QDate(1, 1, 1).addDays(v - 1) : QDate();
            if (!date.isValid())
                throw Error(kind::InvalidValue, QStringLiteral("data inválida no campo %1 (%2)").arg(f.name).arg(v));
            return date;
        }
        if (v < 0 || v >= 24L * 60 * 60 * 1000)
            throw Error(kind::InvalidValue, QStringLiteral("hora inválida no campo %1 (%2)").arg(f.name).arg(v));
        return QTime::fromMSecsSinceStartOfDay(int(v));
    }
};

ParadoxTable::ParadoxTable(const QString& dbPath, const QString& pxPath) : d(std::make_unique<Impl>())
{
    d->path = dbPath;
    const QByteArray name = QFile::encodeName(dbPath);
    if (!d->db.doc || PX_open_file(d->db.doc, name.constData()) < 0)
        d->fail(QStringLiteral("não é uma tabela legível"));
    d->db.opened = true;
    int offset = 0;
    for (int i = 0; i < PX_get_num_fields(d->db.doc); ++i) {
        const pxfield_t* f = PX_get_field(d->db.doc, i);
        d->fields << ParadoxField{text::fromWin1252(QByteArray(f->px_fname)), f->px_ftype, f->px_flen};
        d->offsets << offset;
        offset += f->px_flen;
    }
    d->record = QByteArray(std::max(offset, PX_get_recordsize(d->db.doc)), '\0');
    if (!pxPath.isEmpty())
        d->useIndex(pxPath);
}

ParadoxTable::~ParadoxTable() = default;

const QList<ParadoxField>& ParadoxTable::fields() const { return d->fields; }

int ParadoxTable::rowCount() const { return PX_get_num_records(d->db.doc); }

QString ParadoxTable::indexProblem() const { return d->indexProblem; }

void ParadoxTable::readRow(int row)
{
    d->row = -1;
    d->record.fill('\0');
    d->message.clear();
    if (!PX_get_record(d->db.doc, row, d->record.data()))
        d->fail(QStringLiteral("linha %1 ilegível").arg(row + 1));
    d->row = row;
}

QVariant ParadoxTable::value(int field) const
{
    if (d->row < 0)
        throw Error(kind::InvalidValue, QStringLiteral("nenhuma linha lida de %1").arg(d->path));
    return d->decode(field);
}

} // namespace qor::paradox
