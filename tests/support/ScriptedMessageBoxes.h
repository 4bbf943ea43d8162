#pragma once

#include "app/state/MessageBoxes.h"

#include <QList>

namespace qor::test {

// Test double of the message-box seam: records every box (kind, title,
// text) and answers from a script. A box the test did not script fails the
// test (QFAIL-style, recorded in unscripted()).
class ScriptedMessageBoxes final : public app::MessageBoxes {
public:
    app::BoxAnswer show(const app::BoxRequest& request) override;

    // Expect one more box, answered with `answer`.
    void script(app::BoxAnswer answer);
    // Answer every box with OK (for tests that only look at what was shown).
    void answerAllOk(bool on = true) { allOk_ = on; }

    const QList<app::BoxRequest>& shown() const { return shown_; }
    QStringList texts() const;
    QString lastText() const { return shown_.isEmpty() ? QString() : shown_.last().text; }
    int unscripted() const { return unscripted_; }
    int pendingAnswers() const { return int(answers_.size()); }
    void clear();

private:
    QList<app::BoxRequest> shown_;
    QList<app::BoxAnswer> answers_;
    bool allOk_ = false;
    int unscripted_ = 0;
};

} // namespace qor::test
