#pragma once

#include <QWizardPage>
#include <optional>

#include "check/definition_check.h"
#include "wizard/wizard_context.h"

namespace bw {

// The base of every wizard page. The sheet calls load() each time the page
// becomes current, store(true) when the user presses Next and store(false)
// when the user presses Back; a store that returns false (after showing its
// message through prompts()) keeps the page current.
//
// A page makes its controls the first time it is shown or loaded, not when it
// is made: the sheet opens without building the ten pages it has not reached.
class CWizardPage : public QWizardPage {
    Q_OBJECT

public:
    CWizardPage(WizardContext& context, const char* subtitle, QWidget* parent = nullptr);

    // Definition -> controls.
    void load();
    // Controls -> definition; forward is true for Next, false for Back.
    bool store(bool forward);
    // What Back would store, without a word: a field that cannot be stored
    // is not refused (false then), as the discard question follows.
    bool storeQuietly();

    // True when the page keeps edits that only Next stores in the definition
    // (the discard question counts them as changes).
    virtual bool holdsUnstoredEdits() const { return false; }

    bool isComplete() const override { return nextEnabled_; }
    // Where the focus goes as the page is shown, unless its load put it on
    // one of its fields: its first field that is not a push button, so that
    // Return presses the sheet's Next or Finish. Null: that button itself.
    virtual QWidget* startFocus() const;
    void setVisible(bool visible) override;

protected:
    // Makes the page's controls; runs once, before the first show or load.
    virtual void build() {}
    // What load() and store() do once the controls are there.
    virtual void loadControls() {}
    virtual bool storeControls(bool forward);

    // The part of the definition this page edits: Next refuses the first error
    // the checker finds there. None for pages that edit nothing it checks.
    virtual std::optional<DefinitionPage> checkedPage() const { return std::nullopt; }
    // Shows the field a finding concerns (selecting its record or channel)
    // and returns it for the focus; null when the page has no such field.
    virtual QWidget* showFinding(const Finding& /*finding*/) { return nullptr; }

    // The sheet's buttons: Back and Next (true), or Back only (false).
    void setNextEnabled(bool enabled);

    WizardContext& context() { return context_; }
    const WizardContext& context() const { return context_; }
    BLOCKINFO& block() { return context_.block; }
    UserPrompts& prompts() { return quiet_ ? silent_ : context_.prompts; }
    SettingsStore& settings() { return context_.settings; }

    // Next stores through store(true); Back is routed by the sheet.
    bool validatePage() override { return store(true); }
    // Load runs from the sheet on every page change, Back included; the
    // default behaviours (field reset on Back) are not wanted.
    void initializePage() override {}
    void cleanupPage() override {}

private:
    // Answers nothing and shows nothing, while a page stores quietly.
    class SilentPrompts : public UserPrompts {
    public:
        OverwriteAnswer askOverwrite(const std::string&) override { return OverwriteAnswer::Cancel; }
        bool askYesNo(const std::string&, MessageIcon) override { return false; }
        void showMessage(const std::string&, MessageIcon) override {}
    };

    void ensureBuilt();
    // After a store by Next: the first error on this page, shown as the
    // page's own messages are, with the focus on its field.
    bool passesChecks();

    WizardContext& context_;
    bool nextEnabled_ = true;
    bool built_ = false;
    bool quiet_ = false;
    SilentPrompts silent_;
};

}  // namespace bw
