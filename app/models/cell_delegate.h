#pragma once
// The in-place editor of a grid cell, chosen by the kind of its column: a list of the option
// texts, of the names a reference can take or of the tones; a line edit that takes only what
// fits the field (digits of a frequency, a number, hexadecimal key digits, a text of so many
// bytes). The editor's text is handed to the model, which makes it a document edit.

#include <QStyledItemDelegate>

namespace r605 {

class FamilyTableModel;

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

} // namespace r605
