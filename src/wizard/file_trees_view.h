#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "run/file_set.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace bw {

// What became of a listed file in the last run, as the completion page shows it.
enum class FileState {
    Unmarked,    // no run to tell of (the generate page's trees)
    Written,     // written by the run
    Unchanged,   // already held what the run would write: left alone
    Kept,        // an existing file the run left as it was
    NotWritten,  // not reached by the run (or not writable); an earlier version is there
    Missing,     // not written and not there: nothing to open
};

// The two trees of a block's file set, one above the other: "PC Based Components"
// and, for a DSP-based block, "DSP Based Components". A file item keeps its
// path relative to the block directory in PATH_ROLE; folders have none. Its
// state, once marked, is in STATE_ROLE and shown in the second column.
class FileTreesView : public QWidget {
    Q_OBJECT

public:
    static constexpr int PATH_ROLE = Qt::UserRole;
    static constexpr int STATE_ROLE = Qt::UserRole + 1;

    explicit FileTreesView(QWidget* parent = nullptr);

    // Shows the trees of block's file set, all folders open.
    void showFileSet(const BLOCKINFO& block);
    // Writes beside each file item what mark gives for its path (relative
    // to the block directory, as in the file set); folders stay blank.
    void markFiles(const std::function<QString(const std::string& path)>& mark);
    // Marks every file item with stateOf(its relative path).
    void markStates(const std::function<FileState(const std::string&)>& stateOf);

    QTreeWidget* pcTree() const { return pc_; }
    QTreeWidget* dspTree() const { return dsp_; }

private:
    QTreeWidget* pc_;
    QTreeWidget* dsp_;
};

// Fills tree with root and everything below it.
void FillTree(QTreeWidget& tree, const TreeItem& root);

}  // namespace bw
