#include "app/widgets/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace qor::app {

QString QtMessageBoxes::displayText(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

static QMessageBox::Icon iconFor(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Plain:
        return QMessageBox::NoIcon;
    case BoxKind::Confirmation:
        return QMessageBox::Question;
    case BoxKind::ErrorDialog:
    case BoxKind::Native:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

BoxAnswer QtMessageBoxes::show(const BoxRequest& request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setIcon(iconFor(request.kind));
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(request.text));
    if (request.buttons == BoxButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (request.buttons == BoxButtons::Ok)
        return BoxAnswer::Ok;
    return answer == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

} // namespace qor::app
