#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "run/file_set.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace bw {

// The two trees of a block's file set side by side: "PC Based Components"
// and, for a DSP-based block, "DSP Based Components". A file item keeps its
// path relative to the block directory in PATH_ROLE; folders have none.
class FileTreesView : public QWidget {
    Q_OBJECT

public:
    static constexpr int PATH_ROLE = Qt::UserRole;

    explicit FileTreesView(QWidget* parent = nullptr);

    // Shows the trees of block's file set, all folders open.
    void showFileSet(const BLOCKINFO& block);
    // Writes beside each file item what mark gives for its path (relative
    // to the block directory, as in the file set); folders stay blank.
    void markFiles(const std::function<QString(const std::string& path)>& mark);

    QTreeWidget* pcTree() const { return pc_; }
    QTreeWidget* dspTree() const { return dsp_; }

private:
    QTreeWidget* pc_;
    QTreeWidget* dsp_;
};

// Fills tree with root and everything below it.
void FillTree(QTreeWidget& tree, const TreeItem& root);

}  // namespace bw
