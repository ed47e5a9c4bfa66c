// The names page: the texts the generated files quote.
#include "check/checker.h"

namespace bw::check {

void CheckNamesPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    c.QuotedText({DefinitionPage::Names, -1, "Library Name", "library name"}, b.LibraryName);
    c.QuotedText({DefinitionPage::Names, -1, "Group Name", "group name"}, b.GroupName);
    c.QuotedText({DefinitionPage::Names, -1, "Menu Name", "menu name"}, b.MenuName);
    c.QuotedText({DefinitionPage::Names, -1, "Short Description", "short description"},
                 b.ShortDescription);
}

}  // namespace bw::check
