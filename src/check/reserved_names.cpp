#include "check/reserved_names.h"

#include <algorithm>
#include <array>

namespace bw {

namespace {

constexpr std::array C_KEYWORDS{
    // C89 to C23
    "alignas", "alignof", "auto", "bool", "break", "case", "char", "const", "constexpr", "continue",
    "default", "do", "double", "else", "enum", "extern", "false", "float", "for", "goto", "if",
    "inline", "int", "long", "nullptr", "register", "restrict", "return", "short", "signed",
    "sizeof", "static", "static_assert", "struct", "switch", "thread_local", "true", "typedef",
    "typeof", "typeof_unqual", "union", "unsigned", "void", "volatile", "while", "_Alignas",
    "_Alignof", "_Atomic", "_BitInt", "_Bool", "_Complex", "_Decimal128", "_Decimal32",
    "_Decimal64", "_Generic", "_Imaginary", "_Noreturn", "_Pragma", "_Static_assert",
    "_Thread_local",
    // Visual C++ and GNU
    "asm", "__asm", "__asm__", "__attribute__", "__based", "__cdecl", "__declspec", "__except",
    "__fastcall", "__finally", "__forceinline", "__inline", "__inline__", "__int8", "__int16",
    "__int32", "__int64", "__int128", "__leave", "__ptr32", "__ptr64", "__restrict", "__restrict__",
    "__stdcall", "__try", "__unaligned", "__w64", "__extension__", "__typeof", "__typeof__",
    "__alignof", "__alignof__", "__const", "__const__", "__volatile", "__volatile__", "__signed",
    "__signed__", "__label__", "__real__", "__imag__", "__complex__", "__thread", "__auto_type",
    "__builtin_va_list", "__func__", "__FUNCTION__", "__FILE__", "__LINE__", "__DATE__", "__TIME__",
    "__TIMESTAMP__", "__COUNTER__", "__STDC__", "__STDC_VERSION__", "__STDC_HOSTED__",
    "__cplusplus",
    // TI DSP compilers
    "cregister", "interrupt", "ioport", "near", "far"};

constexpr std::array PC_RESERVED{
    // predefined by the compilers and the project's /D options
    "_WIN32", "_WIN64", "_WINDOWS", "_MBCS", "_UNICODE", "_USRDLL", "_WINDLL", "_DEBUG", "_MT",
    "_DLL", "_M_IX86", "_M_X64", "_M_AMD64", "_MSC_VER", "_MSC_FULL_VER", "_X86_",
    "_INTEGRAL_MAX_BITS", "_CHAR_UNSIGNED", "_CPPUNWIND", "_CPPRTTI",
    // the Windows and run-time headers' guards, limits and annotations
    "_WINDOWS_", "_WINDEF_", "_WINBASE_", "_WINGDI_", "_WINUSER_", "_WINNT_", "_WINNLS_",
    "_WINREG_", "_WINCON_", "_WINVER_", "_WINERROR_", "_OBJBASE_H_", "_COMMDLG_H_", "_MAX_PATH",
    "_MAX_DRIVE", "_MAX_DIR", "_MAX_FNAME", "_MAX_EXT", "_IOFBF", "_IOLBF", "_IONBF", "_In_",
    "_Out_", "_Inout_", "_In_opt_", "_Out_opt_", "_Inout_opt_", "_Ret_", "_Pre_", "_Post_",
    "_Deref_", "_Success_", "_Check_return_", "_Reserved_", "_Null_", "_Notnull_", "_Maybenull_",
    "_Valid_", "_Outptr_", "_Printf_format_string_", "_Field_size_", "_Frees_ptr_",
    "_Post_invalid_", "_Use_decl_annotations_", "_CRTIMP", "_CRTAPI1", "_CRTAPI2", "_cdecl",
    "_stdcall", "_fastcall", "_inline", "_asm", "_far", "_near", "_pascal", "_export", "_loadds",
    "_huge"};

constexpr std::array HOST_CONTROLS{"IDC_PRECISION", "IDC_FRAMESIZE", "IDC_VAR_FRAMESIZE",
                                   "IDC_INFO", "IDC_SAMPFREQ"};

constexpr std::array DRIVER_CONTROLS{
    "IDC_COMBO_DRIVER",   "IDC_EDIT_BRDNUM",   "IDC_EDIT_DSPNUM",   "IDC_SCROLL_BRDSCRL",
    "IDC_SCROLL_DSPSCRL", "IDC_COMBO_DSPINT",  "IDC_COMBO_SYNCIN",  "IDC_COMBO_SYNCOUT",
    "IDC_RADIO_PROFYES",  "IDC_RADIO_PROFNO",  "IDC_STRING_DRIVER", "IDC_STRING_BRDNUM",
    "IDC_STRING_DSPNUM",  "IDC_STRING_DSPINT", "IDC_STRING_SYNCIN", "IDC_STRING_SYNCOUT",
    "IDC_STRING_PROF",    "IDC_RADIO_PROFILE", "IDC_RT_DOWNLOAD"};

template <size_t N>
bool Holds(const std::array<const char*, N>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [name](const char* listed) { return name == listed; });
}

}  // namespace

bool IsCKeyword(std::string_view name) {
    return Holds(C_KEYWORDS, name);
}

bool IsPcReservedName(std::string_view name) {
    // Names of the form _INC_STDIO guard the run-time headers.
    return Holds(PC_RESERVED, name) || name.rfind("_INC_", 0) == 0;
}

std::vector<const char*> HostControlNames(bool realTime) {
    std::vector<const char*> names(HOST_CONTROLS.begin(), HOST_CONTROLS.end());
    if (realTime) {
        names.insert(names.end(), DRIVER_CONTROLS.begin(), DRIVER_CONTROLS.end());
    }
    return names;
}

}  // namespace bw
