#pragma once

#include "data/base/Error.h"

#include <QTest>

#include <functional>

namespace qor::test {

// Runs `action` and checks that it raises a qor::Error of `kind` (whose text
// holds `inText`, when given).
inline void expectError(const QString& kind, const std::function<void()>& action, const QString& inText = {})
{
    try {
        action();
    } catch (const Error& e) {
        QCOMPARE(e.kind(), kind);
        if (!inText.isEmpty())
            QVERIFY2(e.text().contains(inText), qPrintable(e.text()));
        return;
    }
    QFAIL(qPrintable("no error, expected " + kind));
}

} // namespace qor::test
