#include "wizard/file_trees_view.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>

namespace bw {

namespace {

QTreeWidget* MakeTree() {
    auto* tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setRootIsDecorated(true);
    tree->setUniformRowHeights(true);
    return tree;
}

QTreeWidgetItem* MakeItem(const TreeItem& item) {
    auto* widget = new QTreeWidgetItem(QStringList{QString::fromLocal8Bit(item.text.c_str())});
    const bool folder = item.path.empty();
    const QStyle* style = QApplication::style();
    widget->setIcon(0, style->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
    if (!folder) {
        widget->setData(0, FileTreesView::PATH_ROLE, QString::fromLocal8Bit(item.path.c_str()));
    }
    for (const TreeItem& child : item.children) {
        widget->addChild(MakeItem(child));
    }
    return widget;
}

}  // namespace

void FillTree(QTreeWidget& tree, const TreeItem& root) {
    tree.clear();
    tree.addTopLevelItem(MakeItem(root));
    tree.expandAll();
}

FileTreesView::FileTreesView(QWidget* parent) : QWidget(parent), pc_(MakeTree()), dsp_(MakeTree()) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pc_);
    layout->addWidget(dsp_);
}

void FileTreesView::showFileSet(const BLOCKINFO& block) {
    const FileTrees trees = BuildFileTrees(block);
    FillTree(*pc_, trees.pc);
    if (trees.hasDsp) {
        FillTree(*dsp_, trees.dsp);
    } else {
        dsp_->clear();
    }
    dsp_->setVisible(trees.hasDsp);
}

}  // namespace bw
