#include "wizard/file_trees_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace bw {

namespace {

// Rows as tall as the second column's text needs at that column's width:
// a long mark ("changed, edited by hand — will be replaced, a copy kept
// in …") wraps instead of being cut.
class WrappingMarks : public QStyledItemDelegate {
public:
    explicit WrappingMarks(QTreeWidget* tree) : QStyledItemDelegate(tree), tree_(tree) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.column() != 1) {
            return QStyledItemDelegate::sizeHint(option, index);
        }
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        // The style wraps only within a valid rectangle: as wide as the
        // column, and taller than any mark.
        item.rect = QRect(0, 0, tree_->columnWidth(1), QWIDGETSIZE_MAX);
        item.features |= QStyleOptionViewItem::WrapText;
        return tree_->style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), tree_);
    }

private:
    QTreeWidget* tree_;
};

QTreeWidget* MakeTree() {
    auto* tree = new QTreeWidget;
    tree->setHeaderHidden(true);
    // The second column holds the file's state after a run, when there is one.
    tree->setColumnCount(2);
    tree->header()->setStretchLastSection(false);
    // Names are shown whole; the marks take the rest of the width and wrap.
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    tree->setWordWrap(true);
    tree->setTextElideMode(Qt::ElideNone);
    tree->setItemDelegate(new WrappingMarks(tree));
    QObject::connect(tree->header(), &QHeaderView::sectionResized, tree, [tree](int section) {
        if (section == 1) {  // the rows' heights follow the new width
            QTimer::singleShot(0, tree, [tree] { tree->doItemsLayout(); });
        }
    });
    tree->setRootIsDecorated(true);
    // Three levels deep at most: a narrower step leaves the state column room
    // beside the watermark of the completion page.
    tree->setIndentation(tree->fontMetrics().averageCharWidth() * 2);
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
        const QString text = mark(path.toString().toLocal8Bit().toStdString());
        item.setText(1, text);
        item.setToolTip(1, text);
    }
    for (int i = 0; i < item.childCount(); ++i) {
        MarkItems(*item.child(i), mark);
    }
}

// The second column's word and the tooltip for a file in this state.
std::pair<QString, QString> StateTexts(FileState state) {
    switch (state) {
        case FileState::Unmarked:
            return {};
        case FileState::Written:
            return {QStringLiteral("written"), QStringLiteral("Written by this run.")};
        case FileState::Unchanged:
            return {QStringLiteral("unchanged"),
                    QStringLiteral("The file already held what this run would write.")};
        case FileState::Kept:
            return {QStringLiteral("skipped"),
                    QStringLiteral("Skipped: the existing file was kept as it was.")};
        case FileState::NotWritten:
            return {QStringLiteral("not written"),
                    QStringLiteral("Not written by this run; the earlier version is there.")};
        case FileState::Missing:
            return {QStringLiteral("not written"),
                    QStringLiteral("Not written by this run: the file does not exist.")};
    }
    return {};
}

void MarkItem(QTreeWidgetItem& item, const std::function<FileState(const std::string&)>& stateOf) {
    const QString path = item.data(0, FileTreesView::PATH_ROLE).toString();
    if (!path.isEmpty()) {
        const FileState state = stateOf(path.toLocal8Bit().toStdString());
        const auto [word, tip] = StateTexts(state);
        item.setData(0, FileTreesView::STATE_ROLE, static_cast<int>(state));
        item.setText(1, word);
        item.setToolTip(0, tip);
        item.setToolTip(1, tip);
        // A file that is not there reads as unavailable.
        const bool missing = state == FileState::Missing;
        const QPalette::ColorGroup group = missing ? QPalette::Disabled : QPalette::Active;
        item.setForeground(0, QApplication::palette().brush(group, QPalette::Text));
        item.setForeground(1, QApplication::palette().brush(QPalette::Disabled, QPalette::Text));
    }
    for (int i = 0; i < item.childCount(); ++i) {
        MarkItem(*item.child(i), stateOf);
    }
}

void MarkTree(QTreeWidget& tree, const std::function<FileState(const std::string&)>& stateOf) {
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        MarkItem(*tree.topLevelItem(i), stateOf);
    }
}

}  // namespace

void FillTree(QTreeWidget& tree, const TreeItem& root) {
    tree.clear();
    tree.addTopLevelItem(MakeItem(root));
    tree.expandAll();
}

FileTreesView::FileTreesView(QWidget* parent) : QWidget(parent), pc_(MakeTree()), dsp_(MakeTree()) {
    // One above the other, each as wide as the page: side by side, a file's
    // name and state ("changed, user sections carried over") did not fit in
    // half of it and were cut.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pc_);
    layout->addWidget(dsp_);
    dsp_->hide();  // until a DSP-based block's set is shown: no room kept for it
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

void FileTreesView::markStates(const std::function<FileState(const std::string&)>& stateOf) {
    MarkTree(*pc_, stateOf);
    MarkTree(*dsp_, stateOf);
}

void FileTreesView::markFiles(const std::function<QString(const std::string& path)>& mark) {
    for (QTreeWidget* tree : {pc_, dsp_}) {
        tree->setColumnCount(2);
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            MarkItems(*tree->topLevelItem(i), mark);
        }
    }
}

}  // namespace bw
