#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "definition/block_info.h"
#include "wizard/wizard_page.h"

class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bw {

// The texts that set one record page apart.
struct RecordPageTexts {
    const char* subtitle;
    const char* listLabel;         // above the list ("Parameters:")
    const char* recordKind;        // one record in messages ("parameter")
    const char* duplicateMessage;  // Next finding two records of one name
};

// What the parameter, local-array and persistent-variable pages share: the
// list of a pool's records on the left with "New" and "Delete" under it, the
// selected record's fields on the right, starting with "Name:". The pool in
// the definition is the truth; the page keeps the index of the record shown
// (-1 for an empty pool) and that record's fields in its controls.
class CRecordListPage : public CWizardPage {
    Q_OBJECT

public:
    CRecordListPage(WizardContext& context, const RecordPageTexts& texts,
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

    // The pool behind the page (CRecordPage below reaches it).
    virtual int recordCount() = 0;
    virtual std::string& recordName(int index) = 0;
    virtual bool addToPool() = 0;  // shows the pool's limit message when full
    // The name as the generated code spells it (`my gain!` gives `_mygain`);
    // empty where the code uses the name as it is.
    virtual std::string codeIdentifier(const std::string& name, int index) const = 0;
    // The template key of the record's name ("ParameterName" + index).
    virtual std::string nameKey(int index) const = 0;
    virtual void deleteFromPool(int index) = 0;

    // The fields after the name: record -> controls, controls -> record (false,
    // after a message, when a field cannot be stored), and enabling.
    virtual void showFields(int index) = 0;
    virtual bool storeFields(int index) = 0;
    virtual void enableFields(bool enabled) = 0;

    // Shows the finding's record and returns the field to focus: the one
    // findingField() names, else the name.
    QWidget* showFinding(const Finding& finding) override;
    // The field after the name that a finding's template key concerns, or null.
    virtual QWidget* findingField(const std::string& /*key*/) { return nullptr; }

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

    RecordPageTexts texts_;
    QListWidget* list_ = nullptr;
    QPushButton* newButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QLabel* identifier_ = nullptr;
    QFormLayout* fields_ = nullptr;
    int shown_ = -1;
};

// A record page over one of the definition's pools, written once for the
// three: the records, their names and keys, New and Delete go through the
// pool. A page keeps only its fields, shown from and stored into a record.
template <typename Record>
class CRecordPage : public CRecordListPage {
public:
    // Where the page's records are and how the checker and the code name them.
    struct Shape {
        RecordPageTexts texts;
        DefinitionPage checkedPage;
        RecordPool<Record> (BLOCKINFO::*pool)();
        std::string Record::*name;
        const char* nameKey;  // the template key of a name, less its index
        // The name as the generated code spells it; null where the code uses
        // the name as it is.
        std::string (*codeIdentifier)(std::string_view name, int index);
    };

    CRecordPage(WizardContext& context, const Shape& shape, QWidget* parent)
        : CRecordListPage(context, shape.texts, parent), shape_(shape) {}

protected:
    // The record's fields after the name: record -> controls, and controls ->
    // record (false, after a message, when a field cannot be stored).
    virtual void showRecord(const Record& record) = 0;
    virtual bool storeRecord(Record& record) = 0;

    Record& record(int index) { return pool().used()[static_cast<size_t>(index)]; }
    // The record shown; only while there is one (shownIndex() >= 0).
    Record& shown() { return record(shownIndex()); }

    std::optional<DefinitionPage> checkedPage() const override { return shape_.checkedPage; }

private:
    RecordPool<Record> pool() { return (block().*shape_.pool)(); }

    int recordCount() final { return static_cast<int>(pool().used().size()); }
    std::string& recordName(int index) final { return record(index).*shape_.name; }
    bool addToPool() final { return pool().add(prompts()); }
    void deleteFromPool(int index) final { pool().remove(index); }
    std::string nameKey(int index) const final { return shape_.nameKey + std::to_string(index); }
    std::string codeIdentifier(const std::string& name, int index) const final {
        return shape_.codeIdentifier ? shape_.codeIdentifier(name, index) : std::string();
    }
    void showFields(int index) final { showRecord(record(index)); }
    bool storeFields(int index) final { return storeRecord(record(index)); }

    Shape shape_;
};

}  // namespace bw
