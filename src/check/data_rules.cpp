// The data page: the XDAIS algorithm's names.
#include "check/checker.h"

#include "check/reserved_names.h"

namespace bw::check {

void CheckDataPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    if (b.RealTime == 0 || b.xDAIS == 0) {
        return;
    }
    const Source algorithm{DefinitionPage::Data, -1, "Algorithm Name", "algorithm name"};
    if (!IsCIdentifier(b.AlgorithmName) || IsCKeyword(b.AlgorithmName)) {
        c.Error(algorithm, "The algorithm name " + Quoted(b.AlgorithmName) +
                               " names the algorithm's routines and types, so it must begin "
                               "with a letter or an underscore and hold only letters, digits "
                               "and underscores.");
    }
    c.FileName({DefinitionPage::Data, -1, "Vendor Name", "vendor name"}, b.VendorName);
}

}  // namespace bw::check
