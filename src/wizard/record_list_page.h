#pragma once

#include <optional>
#include <string>
#include <utility>

#include "wizard/wizard_page.h"

class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bw {

// What the parameter, local-array and persistent-variable pages share: the
// list of a pool's records on the left with "New" and "Delete" under it, the
// selected record's fields on the right, starting with "Name:". The pool in
// the definition is the truth; the page keeps the index of the record shown
// (-1 for an empty pool) and that record's fields in its controls.
class CRecordListPage : public CWizardPage {
    Q_OBJECT

public:
    // recordKind names one record in messages ("parameter").
    CRecordListPage(WizardContext& context, const char* subtitle, const char* listLabel,
                    const char* recordKind, const char* duplicateMessage,
                    QWidget* parent = nullptr);

    // "New": stores the record shown, adds one at the end and shows it.
    void addRecord();
    // "Delete": removes the record shown; the selection keeps its place, or
    // moves to the new last record.
    void deleteRecord();

    int shownIndex() const { return shown_; }
    QListWidget* recordList() const { return list_; }
    QPushButton* newButton() const { return newButton_; }
    QPushButton* deleteButton() const { return deleteButton_; }
    QLineEdit* nameEdit() const { return nameEdit_; }
    // Under the name: the identifier the code will use.
    QLabel* identifierLabel() const { return identifier_; }

protected:
    void build() override;
    void loadControls() override;
    bool storeControls(bool forward) override;

    // The pool behind the page.
    virtual int recordCount() = 0;
    virtual std::string& recordName(int index) = 0;
    virtual bool addToPool() = 0;  // shows the pool's limit message when full
    // The name as the generated code spells it (`my gain!` gives `_mygain`);
    // empty where the code uses the name as it is.
    virtual std::string codeIdentifier(const std::string& /*name*/, int /*index*/) const {
        return {};
    }
    // The template key of the record's name ("ParameterName" + index).
    virtual std::string nameKey(int index) const = 0;
    virtual void deleteFromPool(int index) = 0;

    // The fields after the name: record -> controls, controls -> record (false,
    // after a message, when a field cannot be stored), and enabling.
    virtual void showFields(int index) = 0;
    virtual bool storeFields(int index) = 0;
    virtual void enableFields(bool enabled) = 0;

    // Shows the finding's record; its name field is the one to focus.
    QWidget* showFinding(const Finding& finding) override;

    // The right-hand form; "Name:" is its first row.
    QFormLayout* fieldsLayout() const { return fields_; }

private:
    void fillList();
    void show(int index);
    bool storeShown();
    void selectionChanged(int row);
    void nameEdited(const QString& name);
    // Marks the name field while the name typed would be refused by Next:
    // its tooltip holds the reason. Shows the identifier the code will use.
    void markName(const QString& name);
    // The first two records that share a name, or nothing.
    std::optional<std::pair<int, int>> sameNames();
    // The page's message, naming both records: "One or more parameters have
    // the same name: parameter 1 and parameter 3 are both named "gain".  ..."
    std::string duplicateMessage(int first, int second);
    void select(int row);

    const char* listLabel_;
    const char* recordKind_;
    const char* duplicateMessage_;
    QListWidget* list_ = nullptr;
    QPushButton* newButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QLabel* identifier_ = nullptr;
    QFormLayout* fields_ = nullptr;
    int shown_ = -1;
};

}  // namespace bw
