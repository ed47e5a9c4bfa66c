#pragma once

// The dialogs that configure the items of a Combo Box, Radio Buttons or File
// Open parameter, and the small dialogs they open for one item. The dialogs
// they open run through a DialogRunner, so tests can answer them. Each asks
// before Cancel or Escape throws away what was typed or arranged in it.

#include <QStringList>

#include "wizard/dialog_runner.h"
#include "wizard/edit_dialog.h"

class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bw {

// "Add New Item" or "Modify Item": one "Item:" field; OK only when it has text.
class CItemTextDialog : public CEditDialog {
    Q_OBJECT

public:
    CItemTextDialog(const QString& title, const QString& text, QWidget* parent = nullptr);

    QString text() const;
    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const;

protected:
    bool holdsEdits() const override;
    QString discardQuestion() const override;

private:
    QString shown_;
    QLineEdit* edit_;
    QDialogButtonBox* buttons_;
};

// "Add Filter": "Caption:" and "File Filter:"; OK only when both have text and
// neither holds the "|" that joins them in the stored list.
class CFilterDialog : public CEditDialog {
    Q_OBJECT

public:
    explicit CFilterDialog(QWidget* parent = nullptr);

    QString caption() const;
    QString filter() const;
    QLineEdit* captionEdit() const { return captionEdit_; }
    QLineEdit* filterEdit() const { return filterEdit_; }
    QPushButton* okButton() const;

protected:
    bool holdsEdits() const override;
    QString discardQuestion() const override;

private:
    void updateOk();

    QLineEdit* captionEdit_;
    QLineEdit* filterEdit_;
    QDialogButtonBox* buttons_;
};

// The items of a Combo Box or Radio Buttons parameter, in order. Items are
// reordered by dragging them in the list or with "Move &Up" and "Move &Down".
class CItemConfigDialog : public CEditDialog {
    Q_OBJECT

public:
    CItemConfigDialog(const QString& caption, const QStringList& items, DialogRunner runner,
                      QWidget* parent = nullptr);

    QStringList items() const;

    // "&Add...": a new item at the end, selected.
    void addItem();
    // A double-click: the selected item changed in place (with none
    // selected, the same as "&Add...").
    void modifyItem();
    // "&Remove": the selected item goes; the item now at its place, or the
    // last, is selected.
    void removeItem();
    void moveUp();
    void moveDown();

    QListWidget* list() const { return list_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* removeButton() const { return removeButton_; }
    QPushButton* upButton() const { return upButton_; }
    QPushButton* downButton() const { return downButton_; }
    QDialogButtonBox* buttons() const { return buttons_; }

protected:
    bool holdsEdits() const override;
    QString discardQuestion() const override;

private:
    void move(int step);
    // Runs a dialog opened from this one, which asks as this one does.
    int run(CEditDialog& dialog);

    DialogRunner runner_;
    const QStringList shown_;
    QListWidget* list_;
    QPushButton* addButton_;
    QPushButton* removeButton_;
    QPushButton* upButton_;
    QPushButton* downButton_;
    QDialogButtonBox* buttons_;
};

// The file filters of a File Open parameter: captions beside patterns, one
// item "caption|filter" per row.
class CBrowseBoxConfigDialog : public CEditDialog {
    Q_OBJECT

public:
    CBrowseBoxConfigDialog(const QString& caption, const QStringList& items, DialogRunner runner,
                           QWidget* parent = nullptr);

    QStringList items() const;

    void addFilter();
    void removeFilter();
    void moveUp();
    void moveDown();

    QListWidget* captionList() const { return captions_; }
    QListWidget* filterList() const { return filters_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* removeButton() const { return removeButton_; }
    QPushButton* upButton() const { return upButton_; }
    QPushButton* downButton() const { return downButton_; }
    QDialogButtonBox* buttons() const { return buttons_; }

protected:
    bool holdsEdits() const override;
    QString discardQuestion() const override;

private:
    void appendRow(const QString& caption, const QString& filter);
    void selectRow(int row);
    void move(int step);
    int run(CEditDialog& dialog);

    DialogRunner runner_;
    QStringList shown_;
    QListWidget* captions_;
    QListWidget* filters_;
    QPushButton* addButton_;
    QPushButton* removeButton_;
    QPushButton* upButton_;
    QPushButton* downButton_;
    QDialogButtonBox* buttons_;
};

}  // namespace bw
