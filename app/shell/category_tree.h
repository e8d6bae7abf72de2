#pragma once
// The tree of codeplug categories on the left of the main window (tvTreeView): the root with the
// model's name, the branches "NP" (common), "ND" (digital) and "NA" (analog signalling), a node
// "N" + grid for each record grid shown in the tree, and the nodes 20 ... 39 of the forms without
// a list. Captions come by key from the language file; a form node whose caption is empty there
// is left out, and the APRS node is there only for a radio with an APRS capability.

#include <QString>
#include <QTreeWidget>

#include <optional>
#include <vector>

namespace r605 {

class Language;

struct CategoryNode {
    QString key;    // "NR", "NP", "N0", "N29", ...
    QString parent; // "" for the root
    QString caption;
};

// The nodes in the order they are added (LoadShowTree): every parent before its children.
std::vector<CategoryNode> categoryNodes(const Language& language, const QString& modelName,
                                        bool aprsCapable);

// What selecting a node asks for.
struct NodeChoice {
    enum class Kind { None, Grid, Form };
    Kind kind = Kind::None;
    int number = 0;                 // the grid index (Grid) or the node number 20 ... 39 (Form)
    std::optional<int> contactPage; // a key of three or more digits: grid and page
};

// "N5" shows grid 5, "N30" grid 19, "N23" the 2-tone form, "N172" grid 17 at page 2; the branch
// keys and anything else ask for nothing.
NodeChoice choiceOfKey(const QString& key);

class CategoryTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit CategoryTree(QWidget* parent = nullptr);

    // Clears the nodes and adds them again (LoadShowTree), every branch expanded; the node of
    // `currentKey` is selected again when it is still there.
    void rebuild(const std::vector<CategoryNode>& nodes, const QString& currentKey);

    QTreeWidgetItem* itemOfKey(const QString& key) const;
    QString currentKey() const;

signals:
    // A node was clicked, or chosen with the keyboard and Enter.
    void nodeChosen(const QString& key);
};

} // namespace r605
