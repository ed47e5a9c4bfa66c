#pragma once

#include "wizard/wizard_context.h"

namespace bw {

// The file and folder choosers of the platform, through QFileDialog.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<std::string> openTemplate(QWidget* parent,
                                            const std::string& startFolder) override;
    std::optional<std::string> chooseFolder(QWidget* parent, const QString& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> chooseProgram(QWidget* parent, const QString& title,
                                             const std::string& startFolder) override;
};

}  // namespace bw
