#pragma once

// What the checker's rules share: the definition being checked and the
// findings so far, where a finding's field is, and the tests of names and
// texts that several pages apply. Each page's rules live in their own file
// (<page>_rules.cpp); the names that records of several pages become in one
// scope of the generated code are checked in name_scopes.cpp.

#include <string>
#include <string_view>
#include <vector>

#include "check/definition_check.h"

namespace bw::check {

// Which field of the definition a generated name comes from.
struct Source {
    DefinitionPage page;
    int record;
    std::string key;
    std::string what;  // "parameter \"Gain 1\""
};

class Checker {
public:
    explicit Checker(const BLOCKINFO& checked) : block(checked) {}

    const BLOCKINFO& block;
    std::vector<Finding> findings;

    void Error(const Source& source, std::string message);
    void Warn(const Source& source, std::string message);

    // A name that becomes a file name.
    void FileName(const Source& source, std::string_view name);
    // The identifier a name becomes in the block's structures must be one the
    // compiler takes as a plain name.
    void IdentifierForm(const Source& source, const std::string& name, int index);

    Source ParameterSource(int p, const char* key = "ParameterName") const;
    Source ArraySource(int a, const char* key = "ArrayName") const;
    Source PersistantSource(int v, const char* key = "PersistantName") const;

    // The counts, within the pools.
    int ParameterCount() const;
    int ArrayCount() const;
    int PersistantCount() const;

    // A record with a known type code that is not excluded.
    bool UsedParameter(int p) const;
    bool UsedPersistant(int v) const;
    bool UsedArray(int a) const;
};

std::string Indexed(std::string_view key, int i);
std::string Quoted(std::string_view text);
bool IsIdentifierCharacter(char c);
bool IsDigit(char c);
// A name that stands in C as it is.
bool IsCIdentifier(std::string_view name);

// The known type codes of each pool.
bool IsParameterType(int code);
bool IsPersistantType(int code);
bool IsLocalPrecision(int code);

// The rules of each page, which add what they find.
void CheckFilesPage(Checker& c);
void CheckDataPage(Checker& c);
void CheckChannelsPage(Checker& c);
void CheckParametersPage(Checker& c);
void CheckLocalArraysPage(Checker& c);
void CheckPersistantsPage(Checker& c);
// The names that several pages' records become in one scope.
void CheckNameScopes(Checker& c);
// The control characters no typed text may hold.
void CheckTypedTexts(Checker& c);

}  // namespace bw::check
