#pragma once

#include <QProxyStyle>

namespace qor::app {

// Password boxes show every character as "#" instead of the style's bullet.
class EcoSustenido final : public QProxyStyle {
    Q_OBJECT
public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '#';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace qor::app
