// The persistent-variable page: type codes, names and the Other type.
#include "check/checker.h"

namespace bw::check {

void CheckPersistantsPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    for (int v = 0; v < c.PersistantCount(); ++v) {
        const PERSISTANTINFO& variable = b.Persistants[static_cast<size_t>(v)];
        if (!IsPersistantType(variable.PersistantType)) {
            c.Error(c.PersistantSource(v, "PersistantType"),
                    "The " + c.PersistantSource(v).what + " has the type code " +
                        std::to_string(variable.PersistantType) + ", which is no variable type.");
            continue;
        }
        if (variable.PersistantType == TYPE_EXCLUDED) {
            continue;
        }
        c.IdentifierForm(c.PersistantSource(v), variable.PersistantName, v);
        if (variable.PersistantType != TYPE_OTHER) {
            continue;
        }
        if (b.RealTime != 0) {
            c.Error(c.PersistantSource(v, "PersistantType"),
                    "The " + c.PersistantSource(v).what +
                        " is of type Other: the DSP side of a real-time block cannot know "
                        "that type.  Please choose one of the listed types.");
        } else if (variable.PersistantTypeOther.find_first_not_of(' ') == std::string::npos) {
            c.Error(c.PersistantSource(v, "PersistantTypeOther"),
                    "The " + c.PersistantSource(v).what + " is of type Other but names no type.");
        }
    }
}

}  // namespace bw::check
