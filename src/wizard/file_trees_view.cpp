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

void MarkItems(QTreeWidgetItem& item, const std::function<QString(const std::string& path)>& mark) {
    const QVariant path = item.data(0, FileTreesView::PATH_ROLE);
    if (path.isValid()) {
        item.setText(1, mark(path.toString().toLocal8Bit().toStdString()));
    }
    for (int i = 0; i < item.childCount(); ++i) {
        MarkItems(*item.child(i), mark);
    }
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

namespace bw {

void FileTreesView::markFiles(const std::function<QString(const std::string& path)>& mark) {
    for (QTreeWidget* tree : {pc_, dsp_}) {
        tree->setColumnCount(2);
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            MarkItems(*tree->topLevelItem(i), mark);
        }
        tree->resizeColumnToContents(0);
    }
}

}  // namespace bw
