// The revision page: the texts the generated files quote.
#include "check/checker.h"

namespace bw::check {

void CheckRevisionPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    c.QuotedText({DefinitionPage::Revision, -1, "Company Name", "company name"}, b.CompanyName);
    c.QuotedText({DefinitionPage::Revision, -1, "Revision", "revision"}, b.Revision);
}

}  // namespace bw::check
