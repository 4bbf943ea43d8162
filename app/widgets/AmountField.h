#pragma once

#include <QObject>
#include <QValidator>

#include <functional>

class QLineEdit;

namespace qor::widgets {

// Accepts the texts text::readAmount reads as an amount, the blank text and
// a sign or separator still waiting for digits; refuses every other text.
// It never rewrites the text, so a field's shown value ("R$ 1.234,50")
// passes as it is.
class AmountValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Makes a line edit take an amount the way a float field does, so that what
// the operator sees is what is read, to the cent:
//   - a typed "." (or the keypad's decimal key) is the decimal comma while
//     the text has none, and is refused otherwise;
//   - a character that leaves no amount (a letter, a "-" not in front, a
//     third decimal, a fourteenth digit) is refused;
//   - a pasted or dropped amount is shown at once as typed amounts are,
//     without prefix or grouping ("R$ 1.234,50" becomes "1234,50"); a pasted
//     text that is no amount is refused whole;
//   - a refused key or paste beeps.
// Read the text with text::parseAmount. A DBEdit on a float field gets one
// by itself; any other amount QLineEdit takes one with install().
class AmountField : public QObject {
    Q_OBJECT
public:
    // Owned by `edit`; installing twice returns the one installed.
    static AmountField* install(QLineEdit* edit);
    static AmountField* of(const QLineEdit* edit); // nullptr when none

    std::function<void()> beep; // the system beep unless replaced

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit AmountField(QLineEdit* edit);
    void typeDecimalComma();
    void showAsTyped();

    QLineEdit* edit_;
    // The edit is handling the operator's input (not a text set by the
    // program), so a refusal is his and beeps.
    bool operatorInput_ = false;
};

} // namespace qor::widgets
