#include "models/cell_delegate.h"

#include "models/family_table_model.h"
#include "models/text_length_validator.h"

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace r605 {

namespace {

// The family model behind a view's index, through any filter in between.
std::pair<const FamilyTableModel*, QModelIndex> sourceOf(QModelIndex index) {
    while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(index.model()))
        index = proxy->mapToSource(index);
    return {qobject_cast<const FamilyTableModel*>(index.model()), index};
}

QValidator* validatorFor(const ColumnInfo& column, QObject* parent) {
    const auto pattern = [parent](const QString& expression) {
        return new QRegularExpressionValidator(QRegularExpression(expression), parent);
    };
    const QString length = QString::number(column.length);
    switch (column.kind) {
    case ColumnKind::Frequency:
        return pattern(R"(\d{0,4}(\.\d{0,5})?)");
    case ColumnKind::Integer:
        return pattern(column.min < 0 ? R"(-?\d{0,10})" : R"(\d{0,10})");
    case ColumnKind::Decimal:
        return pattern(QString(R"(\d{0,6}(\.\d{0,%1})?)").arg(column.decimals));
    case ColumnKind::HexText:
        return pattern("[0-9A-Fa-f]{0," + length + "}");
    case ColumnKind::DigitText:
        return pattern("[0-9]{0," + length + "}");
    case ColumnKind::Text:
        return new TextLengthValidator(column.length, parent);
    default:
        return nullptr;
    }
}

bool choosesFromList(ColumnKind kind) {
    return kind == ColumnKind::Enumerated || kind == ColumnKind::OnOff ||
           kind == ColumnKind::Reference || kind == ColumnKind::Tone;
}

} // namespace

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const auto [model, source] = sourceOf(index);
    const ColumnInfo* column = model ? model->columnInfo(source.column()) : nullptr;
    if (column == nullptr)
        return QStyledItemDelegate::createEditor(parent, option, index);
    if (choosesFromList(column->kind)) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName("cellChoice");
        // Tones may also be typed: a user-defined CTCSS frequency is no entry of the list.
        combo->setEditable(column->kind == ColumnKind::Tone);
        combo->addItems(model->choices(source.column()));
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName("cellText");
    edit->setFrame(false);
    edit->setValidator(validatorFor(*column, edit));
    return edit;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        int found = combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (found < 0) {
            // A value the list does not offer (one a radio may hold) stays choosable.
            combo->insertItem(0, text);
            found = 0;
        }
        combo->setCurrentIndex(found);
        if (combo->isEditable())
            combo->setEditText(text);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    QString text;
    if (const auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else if (const auto* edit = qobject_cast<QLineEdit*>(editor))
        text = edit->text();
    else
        return QStyledItemDelegate::setModelData(editor, model, index);
    // An editor left as it was makes no undo step.
    if (text == index.data(Qt::EditRole).toString())
        return;
    model->setData(index, text, Qt::EditRole);
}

} // namespace r605
