#include "data/orderdb/Win1252.h"

#include "data/base/Text.h"

namespace qor::orderdb {

QString decode1252(const char* bytes, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return text::fromWin1252(QByteArray(bytes, size));
    return QString::fromLatin1(bytes, size);
}

QByteArray encode1252(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return text::toWin1252(text);
    return text.toLatin1();
}

} // namespace qor::orderdb
