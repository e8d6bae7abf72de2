#pragma once
// frmCompare: the differences between the open codeplug and another one (a file), grouped by
// family, one row a record with its changed fields below it, named as the grids name them. A
// changed, added or removed record can be taken over into the open codeplug: an edit of the
// document on the session's undo stack, undone with Edit/Undo like any other. The list follows
// the document: after a take-over, an undo or any other edit it is worked out again.

#include "compare/codeplug_diff.h"
#include "model/codeplug.h"

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace r605 {

class DocumentSession;

class CompareDialog : public QDialog {
    Q_OBJECT

public:
    // `other`: the codeplug compared with; `otherName`: its file, as the user knows it.
    CompareDialog(DocumentSession& session, Codeplug other, const QString& otherName,
                  QWidget* parent = nullptr);
    ~CompareDialog() override;

    const CodeplugDiff& differences() const { return m_diff; }
    // The tree's row of a record difference (index into differences().records).
    QTreeWidgetItem* itemOf(std::size_t record) const;

public slots:
    // Takes the selected record over into the open codeplug.
    void takeOverSelected();
    void retranslate();

private:
    void refresh();
    void fillTree();
    void updateButtons();
    std::optional<std::size_t> selectedRecord() const;
    QString text(int key) const;

    DocumentSession& m_session;
    Codeplug m_other;
    QString m_otherName;
    CodeplugDiff m_diff;
    QLabel* m_summary;
    QTreeWidget* m_tree;
    QLabel* m_status;
    QPushButton* m_takeOver;
    QPushButton* m_close;
    int m_observer = 0;
};

} // namespace r605
