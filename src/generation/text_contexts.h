#pragma once

// Where a typed text lands in a generated file, and how it is written there
// so that the file's reader takes back exactly what was typed. Every
// generator writes a typed text (names, labels, descriptions, items,
// defaults, paths) through the escape of its context; only identifiers are
// refused rather than escaped.

#include <string>
#include <string_view>

namespace bw {

enum class TextContext {
    CString,           // between double quotes in C source
    CComment,          // on a "//" comment line of C source
    ResourceString,    // between double quotes in a resource script
    ModuleDefinition,  // a name in a module-definition file
    ProjectFile,       // between double quotes in a Visual C++ project or makefile
    CMakeArgument,     // in a quoted CMake argument
};

// text as the reader of context takes it back as typed.
std::string Escaped(TextContext context, std::string_view text);

// The context's name, for messages and test listings ("C string").
const char* ContextName(TextContext context);

}  // namespace bw
