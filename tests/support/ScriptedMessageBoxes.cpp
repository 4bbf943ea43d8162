#include "tests/support/ScriptedMessageBoxes.h"

#include <QTest>

namespace qor::test {

app::BoxAnswer ScriptedMessageBoxes::show(const app::BoxRequest& request)
{
    shown_ << request;
    if (!answers_.isEmpty())
        return answers_.takeFirst();
    if (allOk_)
        return request.buttons == app::BoxButtons::YesNo ? app::BoxAnswer::No : app::BoxAnswer::Ok;
    ++unscripted_;
    QTest::qFail(qPrintable(QStringLiteral("unscripted message box: ") + request.text), __FILE__, __LINE__);
    return request.buttons == app::BoxButtons::YesNo ? app::BoxAnswer::No : app::BoxAnswer::Ok;
}

void ScriptedMessageBoxes::script(app::BoxAnswer answer) { answers_ << answer; }

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList out;
    for (const auto& r : shown_)
        out << r.text;
    return out;
}

void ScriptedMessageBoxes::clear()
{
    shown_.clear();
    answers_.clear();
    unscripted_ = 0;
}

} // namespace qor::test
