#include "app/widgets/DBNavigator.h"

#include "app/widgets/RunHandler.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace qor::widgets {

using data::DataSetState;

namespace {

struct Look {
    const char* name;
    const char* hint;
    QStyle::StandardPixmap icon;
};

Look lookOf(DBNavigator::Button b)
{
    using B = DBNavigator::Button;
    switch (b) {
    case B::First: return {"nbFirst", "Primeiro", QStyle::SP_MediaSkipBackward};
    case B::Prior: return {"nbPrior", "Anterior", QStyle::SP_MediaSeekBackward};
    case B::Next: return {"nbNext", "Próximo", QStyle::SP_MediaSeekForward};
    case B::Last: return {"nbLast", "Último", QStyle::SP_MediaSkipForward};
    case B::Insert: return {"nbInsert", "Incluir", QStyle::SP_FileDialogNewFolder};
    case B::Delete: return {"nbDelete", "Excluir", QStyle::SP_TrashIcon};
    case B::Edit: return {"nbEdit", "Alterar", QStyle::SP_FileDialogDetailedView};
    case B::Post: return {"nbPost", "Gravar", QStyle::SP_DialogApplyButton};
    case B::Cancel: return {"nbCancel", "Cancelar", QStyle::SP_DialogCancelButton};
    case B::Refresh: return {"nbRefresh", "Atualizar", QStyle::SP_BrowserReload};
    }
    return {"", "", QStyle::SP_CustomBase};
}

} // namespace

DBNavigator::DBNavigator(const QString& name, const QList<Button>& buttons, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    for (Button b : buttons) {
        const Look look = lookOf(b);
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(look.name));
        button->setToolTip(QString::fromUtf8(look.hint));
        button->setIcon(style()->standardIcon(look.icon));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, b] { click(b); });
        row->addWidget(button);
        buttons_.insert(b, button);
    }
    updateButtons();
}

void DBNavigator::bind(DataSource* source)
{
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    source_ = source;
    if (source_) {
        connections_ << connect(source_, &DataSource::stateChanged, this, &DBNavigator::updateButtons);
        connections_ << connect(source_, &DataSource::rowChanged, this, &DBNavigator::updateButtons);
        connections_ << connect(source_, &DataSource::dataSetChanged, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::click(Button b)
{
    if (!source_ || !source_->isActive())
        return;
    app::runHandler(source_->boxes(), [&] { run(b); });
    updateButtons();
}

void DBNavigator::run(Button b)
{
    data::DataSet& ds = *source_->dataSet();
    const bool moving = b == Button::First || b == Button::Prior || b == Button::Next || b == Button::Last;
    if ((moving || b == Button::Insert || b == Button::Refresh) && source_->isEditing())
        source_->post();
    switch (b) {
    case Button::First: ds.first(); break;
    case Button::Prior: ds.prior(); break;
    case Button::Next: ds.next(); break;
    case Button::Last: ds.last(); break;
    case Button::Insert: ds.append(); break;
    case Button::Delete:
        if (source_->boxes().confirm(kConfirmDelete)) {
            if (ds.state() == DataSetState::Insert)
                ds.cancel();
            else
                ds.remove();
        }
        break;
    case Button::Edit: source_->beginEdit(); break;
    case Button::Post: source_->post(); break;
    case Button::Cancel: ds.cancel(); break;
    case Button::Refresh: ds.refresh(); break;
    }
}

void DBNavigator::updateButtons()
{
    const bool active = source_ && source_->isActive();
    data::DataSet* ds = active ? source_->dataSet() : nullptr;
    const bool editing = active && source_->isEditing();
    const bool empty = active && !editing && ds->isEmpty();
    const bool browse = active && !editing;
    auto set = [this](Button b, bool on) {
        if (QToolButton* button = buttons_.value(b))
            button->setEnabled(on);
    };
    set(Button::First, active && !empty && !ds->bof());
    set(Button::Prior, active && !empty && !ds->bof());
    set(Button::Next, active && !empty && !ds->eof());
    set(Button::Last, active && !empty && !ds->eof());
    set(Button::Insert, active);
    set(Button::Delete, active && (editing || !empty));
    set(Button::Edit, browse && !empty);
    set(Button::Post, editing);
    set(Button::Cancel, editing);
    set(Button::Refresh, browse);
}

} // namespace qor::widgets
