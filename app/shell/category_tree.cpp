#include "shell/category_tree.h"

#include "schema/family.h"
#include "text/language.h"

#include <QHeaderView>

#include <algorithm>
#include <array>

namespace r605 {

namespace {

constexpr int kCommonCaption = 13000;
constexpr int kDigitalCaption = 13001;
constexpr int kAnalogCaption = 13002;
constexpr int kAprsNode = 29;
constexpr int kKeyListNode = 30; // the long encryption key list: grid 19 again

QString caption(const Language& language, int key) {
    return QString::fromStdString(language.GetLangText(key, Section::Other));
}

// The grids that have a node, in the order of their grid index; grid 10 is held back and follows
// grid 16 (the two short key lists side by side).
constexpr std::array kTreeGrids{0, 1, 2, 3, 5, 6, 7, 15, 16, 10, 19};

QString branchOfGrid(int grid) {
    switch (familyInfo(static_cast<Family>(grid)).tree) {
    case TreeBranch::Common:
        return "NP";
    case TreeBranch::Digital:
        return "ND";
    case TreeBranch::None:
        break;
    }
    return {};
}

QString branchOfForm(int node) {
    switch (node) {
    case 20:
    case 21:
    case 26:
    case 27:
    case 28:
    case kAprsNode:
        return "NP";
    case 22:
    case 23:
    case 24:
        return "NA";
    default:
        return "ND";
    }
}

} // namespace

std::vector<CategoryNode> categoryNodes(const Language& language, const QString& modelName,
                                        bool aprsCapable) {
    std::vector<CategoryNode> nodes{
        {"NR", "", modelName},
        {"NP", "NR", caption(language, kCommonCaption)},
        {"ND", "NR", caption(language, kDigitalCaption)},
        {"NA", "NR", caption(language, kAnalogCaption)},
    };
    for (const int grid : kTreeGrids) {
        nodes.push_back({QString::fromStdString(treeKey(grid)), branchOfGrid(grid),
                         caption(language, gridCaption(grid).number)});
    }
    for (int node = 20; node <= 39; ++node) {
        if (node == 25 || (node == kAprsNode && !aprsCapable))
            continue;
        const QString text = caption(language, 12000 + node);
        if (text.isEmpty())
            continue;
        nodes.push_back({"N" + QString::number(node), branchOfForm(node), text});
    }
    return nodes;
}

NodeChoice choiceOfKey(const QString& key) {
    if (!key.startsWith('N'))
        return {};
    const QString digits = key.mid(1);
    bool numeric = false;
    const int value = digits.toInt(&numeric);
    if (!numeric || digits.isEmpty())
        return {};
    if (digits.size() >= 3) {
        // The grid index in two digits, then the page.
        const int grid = digits.left(2).toInt();
        if (grid >= kGridCount)
            return {};
        return {NodeChoice::Kind::Grid, grid, digits.mid(2).toInt()};
    }
    if (value < kGridCount)
        return {NodeChoice::Kind::Grid, value, std::nullopt};
    if (value == kKeyListNode)
        return {NodeChoice::Kind::Grid, static_cast<int>(Family::AesKey), std::nullopt};
    if (value <= 39)
        return {NodeChoice::Kind::Form, value, std::nullopt};
    return {};
}

CategoryTree::CategoryTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("tvTreeView");
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        emit nodeChosen(item->data(0, Qt::UserRole).toString());
    });
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit nodeChosen(item->data(0, Qt::UserRole).toString());
    });
}

void CategoryTree::rebuild(const std::vector<CategoryNode>& nodes, const QString& currentKey) {
    const QSignalBlocker quiet(this);
    clear();
    for (const CategoryNode& node : nodes) {
        QTreeWidgetItem* parent = node.parent.isEmpty() ? nullptr : itemOfKey(node.parent);
        auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, node.caption);
        item->setData(0, Qt::UserRole, node.key);
    }
    expandAll();
    if (QTreeWidgetItem* current = itemOfKey(currentKey))
        setCurrentItem(current);
}

QTreeWidgetItem* CategoryTree::itemOfKey(const QString& key) const {
    if (key.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<CategoryTree*>(this)); *it != nullptr; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}

QString CategoryTree::currentKey() const {
    const QTreeWidgetItem* item = currentItem();
    return item != nullptr ? item->data(0, Qt::UserRole).toString() : QString();
}

} // namespace r605
