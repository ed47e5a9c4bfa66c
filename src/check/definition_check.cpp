#include "check/definition_check.h"

#include <algorithm>

#include "check/checker.h"
#include "check/output_paths.h"
#include "check/path_length_check.h"
#include "check/value_check.h"
#include "generation/paths.h"
#include "run/file_set.h"

namespace bw {

using check::Quoted;

std::vector<Finding> CheckDefinition(const BLOCKINFO& block) {
    check::Checker c(block);
    check::CheckFilesPage(c);
    check::CheckDataPage(c);
    check::CheckChannelsPage(c);
    check::CheckParametersPage(c);
    check::CheckLocalArraysPage(c);
    check::CheckPersistantsPage(c);
    check::CheckNameScopes(c);
    check::CheckTypedTexts(c);
    for (const std::vector<Finding>& more : {CheckValues(block), CheckPathLengths(block)}) {
        c.findings.insert(c.findings.end(), more.begin(), more.end());
    }
    std::stable_sort(c.findings.begin(), c.findings.end(), [](const Finding& a, const Finding& b) {
        return std::pair(a.page, a.severity) < std::pair(b.page, b.severity);
    });
    for (const TemplateNote& note : block.TemplateNotes) {
        c.Warn({DefinitionPage::Template, -1, note.key, ""}, note.message);
    }
    return WithOutputPathFindings(std::move(c.findings), CheckOutputPaths(block));
}

std::vector<Finding> CheckStockFiles(const BLOCKINFO& block, const std::string& workingDirectory) {
    std::vector<Finding> findings;
    for (const BlockFile& file : RunFileSet(block)) {
        if (file.kind != FileKind::StockCopy || FileExists(workingDirectory + file.stockFile)) {
            continue;
        }
        findings.push_back({Severity::Error, DefinitionPage::Template, -1, "Working Directory",
                            "The stock file " + Quoted(file.stockFile) +
                                " is not in the working directory " +
                                Quoted(NativePath(workingDirectory)) +
                                ", which the setting \"Working Directory\" names; the block's " +
                                file.path + " could not be copied from it."});
    }
    return findings;
}

bool HasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

const Finding* FirstErrorOn(const std::vector<Finding>& findings, DefinitionPage page) {
    for (const Finding& finding : findings) {
        if (finding.severity == Severity::Error && finding.page == page) {
            return &finding;
        }
    }
    return nullptr;
}

}  // namespace bw
