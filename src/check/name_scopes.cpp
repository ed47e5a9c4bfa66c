// The names that several pages' records become in one scope of the generated
// code: the block's structure, the dialog's controls and the DSP's PARAMS.
#include "check/checker.h"

#include <map>
#include <set>

#include "check/reserved_names.h"
#include "gen_dsp/dsp_members.h"
#include "generation/names_and_literals.h"

namespace bw::check {

namespace {

// Names in one scope of the generated code: a second owner of a name is an
// error on the page of the second.
class Scope {
public:
    Scope(Checker& checker, std::string kind) : checker_(checker), kind_(std::move(kind)) {}
    void Add(const std::string& name, const Source& source) {
        const auto [it, added] = names_.try_emplace(name, source);
        if (added) {
            return;
        }
        const Source& first = it->second;
        if (first.page == source.page && first.record == source.record) {
            return;  // one record's own names collide only with others
        }
        if (!reported_.insert({first.key, source.key}).second) {
            return;  // one message for each pair of names
        }
        if (first.record == RESERVED) {
            checker_.Error(source, "The " + source.what + " becomes the " + kind_ + " " + name +
                                       ", which the " + first.what +
                                       " already hold.  Please choose another name.");
            return;
        }
        checker_.Error(source, "The " + source.what + " and the " + first.what +
                                   " both become the " + kind_ + " " + name +
                                   " in the generated code.  Please make the names differ in "
                                   "their letters, digits or underscores.");
    }
    void Reserve(const std::string& name, const std::string& what) {
        names_.try_emplace(name, Source{DefinitionPage::Template, RESERVED, "", what});
    }

private:
    static constexpr int RESERVED = -2;
    Checker& checker_;
    std::string kind_;
    std::map<std::string, Source> names_;
    std::set<std::pair<std::string, std::string>> reported_;
};

// BLOCK_PARAM: parameters and persistent variables under their identifiers.
void CheckBlockMembers(Checker& c) {
    const BLOCKINFO& b = c.block;
    Scope members(c, "member");
    const auto add = [&](int type, const std::string& ident, const Source& source) {
        members.Add(ident, source);
        if (type == TYPE_FILE_OPEN) {
            members.Add(ident + "_PathName", source);
            members.Add(ident + "_CompleteName", source);
        }
    };
    for (int p = 0; p < c.ParameterCount(); ++p) {
        if (c.UsedParameter(p)) {
            const PARAMINFO& parameter = b.Parameters[static_cast<size_t>(p)];
            add(parameter.ParameterType, Identifier(parameter.ParameterName, p),
                c.ParameterSource(p));
        }
    }
    for (int v = 0; v < c.PersistantCount(); ++v) {
        if (c.UsedPersistant(v)) {
            const PERSISTANTINFO& variable = b.Persistants[static_cast<size_t>(v)];
            add(variable.PersistantType, Identifier(variable.PersistantName, v),
                c.PersistantSource(v));
        }
    }
}

void RadioItemNames(Checker& c, int p, std::vector<std::string>& names) {
    const BLOCKINFO& b = c.block;
    const PARAMINFO& parameter = b.Parameters[static_cast<size_t>(p)];
    const int items = static_cast<int>(parameter.ParameterItems.size());
    if (items < 2) {
        names.push_back(ControlIdentifier(parameter, p) + "_NO");
        names.push_back(ControlIdentifier(parameter, p) + "_YES");
        return;
    }
    std::set<std::string> seen;
    for (int item = 0; item < items; ++item) {
        const std::string name = RadioItemIdentifier(parameter, p, item);
        if (!seen.insert(name).second) {
            const Source source = c.ParameterSource(p);
            c.Error(source, "Two items of the " + source.what + " both become the control name " +
                                name +
                                ".  Please make the items differ in their letters, digits "
                                "or underscores.");
        }
        names.push_back(name);
    }
}

std::vector<std::string> ControlNames(Checker& c, int p) {
    const BLOCKINFO& b = c.block;
    const PARAMINFO& parameter = b.Parameters[static_cast<size_t>(p)];
    const std::string ident = UpperIdentifier(parameter.ParameterName, p);
    const int type = parameter.ParameterType;
    std::vector<std::string> names;
    if (type != TYPE_CHECK_BOX) {
        names.push_back("IDC_STRING" + ident);
    }
    if (type == TYPE_FILE_OPEN) {
        names.push_back("IDC_STRING" + ident + "_PATHNAME");
        for (const char* suffix : {"", "_PATHNAME", "_COMPLETENAME"}) {
            names.push_back("IDC_EDIT" + ident + suffix);
            names.push_back("IDC_VAR" + ident + suffix);
        }
    } else if (HasEditControl(type)) {
        names.push_back("IDC_EDIT" + ident);
        names.push_back("IDC_VAR" + ident);
    }
    if (type == TYPE_COMBO_BOX) {
        names.push_back(ControlIdentifier(parameter, p));
        names.push_back("NUM" + ident);
    }
    if (type == TYPE_CHECK_BOX) {
        names.push_back(ControlIdentifier(parameter, p));
    }
    if (type == TYPE_RADIO_BUTTONS) {
        names.push_back(ControlIdentifier(parameter, p));
        RadioItemNames(c, p, names);
    }
    return names;
}
// The dialog's control identifiers and the header's item counts: upper-cased
// identifiers, so names that differ only in case collide.
void CheckControlNames(Checker& c) {
    const BLOCKINFO& b = c.block;
    Scope controls(c, "dialog control name");
    for (const char* name : HostControlNames(b.RealTime != 0)) {
        controls.Reserve(name, "host's headers");
    }
    if (b.xDAIS != 0) {
        controls.Reserve("IDC_COMBO_SWI", "XDAIS block's controls");
    }
    if (b.UserControl != 0) {
        for (const char* name : {"IDC_BUTTON1", "IDC_RADIO1", "IDC_CHECK1"}) {
            controls.Reserve(name, "user control's controls");
        }
    }
    for (const char* name :
         {"IDC_IMAGEWIDTH", "IDC_VAR_IMAGEWIDTH", "IDC_IMAGEHEIGHT", "IDC_VAR_IMAGEHEIGHT",
          "IDC_ROWS", "IDC_VAR_ROWS", "IDC_COLUMNS", "IDC_VAR_COLUMNS", "IDC_STATIC"}) {
        controls.Reserve(name, "block's size controls");
    }
    for (int p = 0; p < c.ParameterCount(); ++p) {
        if (c.UsedParameter(p)) {
            for (const std::string& name : ControlNames(c, p)) {
                controls.Add(name, c.ParameterSource(p));
            }
        }
    }
}
// PARAMS, the DSP's structure: its own members, and those of parameters,
// persistent variables and local arrays under their identifiers, as the DSP
// header declares them.
void CheckDspMembers(Checker& c) {
    Scope members(c, "DSP member");
    for (const dsp::Member& member : dsp::ParamsMembers(c.block)) {
        switch (member.origin) {
            case dsp::MemberOrigin::Structure:
                members.Reserve(member.name, "DSP structure's own members");
                break;
            case dsp::MemberOrigin::Parameter:
                if (c.UsedParameter(member.record)) {
                    members.Add(member.name, c.ParameterSource(member.record));
                }
                break;
            case dsp::MemberOrigin::Persistant:
                if (c.UsedPersistant(member.record)) {
                    members.Add(member.name, c.PersistantSource(member.record));
                }
                break;
            case dsp::MemberOrigin::LocalArray:
                if (c.UsedArray(member.record)) {
                    members.Add(member.name, c.ArraySource(member.record));
                }
                break;
        }
    }
}

}  // namespace

void CheckNameScopes(Checker& c) {
    CheckBlockMembers(c);
    CheckControlNames(c);
    if (c.block.RealTime != 0) {
        CheckDspMembers(c);
    }
}

}  // namespace bw::check
