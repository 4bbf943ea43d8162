#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace qor::app {

// Client alignment: keeps a widget filling its parent's client area (the
// parent's rectangle below what its "clientTop" property reserves, e.g. the
// toolbar), also when the parent is resized.
class ClientAlign : public QObject {
    Q_OBJECT
public:
    static void apply(QWidget* w);
    static void release(QWidget* w);
    static bool isApplied(const QWidget* w);
    static QRect clientRect(const QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ClientAlign(QWidget* w);
    QWidget* widget_;
};

} // namespace qor::app
