/* A MinGW-w64 for the Windows tests under Wine: gcc.exe and windres.exe
 * built from this file start the Linux cross tools (TOOL, a Unix path) with
 * their arguments, so that a try run by the Windows program finds a MinGW
 * it can start as it would on Windows.
 *
 * The Linux tools cannot read Windows paths: an argument naming a file by
 * its drive (C:\..., Z:\..., also after -I, -L, -o, or a '=' or ',') is
 * given in its Unix form, as Wine's wine_get_unix_file_name gives it, and
 * backslashes in relative paths become slashes. Wine hands the working
 * folder to a Unix program as its current directory, and splits the
 * command line by the Windows rules.
 *
 * Wine gives no process handle for a Unix program it starts, so it cannot
 * be waited for: the tool runs under /bin/sh, which writes the tool's exit
 * status into a file this program waits for. The tool writes to this
 * program's own standard output and error. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#ifndef TOOL
#error TOOL names the Linux tool this program starts
#endif

#define WIDEN2(text) L##text
#define WIDEN(text) WIDEN2(text)

typedef char*(CDECL* UnixFileName)(const WCHAR*);

static UnixFileName unix_file_name;

static int is_separator(WCHAR c) {
    return c == L'\\' || c == L'/';
}

static int is_drive_path(const WCHAR* text) {
    return ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z')) &&
           text[1] == L':' && is_separator(text[2]);
}

/* Where a drive path starts in an argument, or -1: the whole argument,
 * after a one-letter option (-I, -L, -o), or after '=' or ','. */
static int drive_path_start(const WCHAR* argument) {
    size_t length = wcslen(argument);
    if (is_drive_path(argument)) {
        return 0;
    }
    if (argument[0] == L'-' && length > 2 && is_drive_path(argument + 2)) {
        return 2;
    }
    for (size_t i = 1; i + 2 < length; ++i) {
        if ((argument[i - 1] == L'=' || argument[i - 1] == L',') && is_drive_path(argument + i)) {
            return (int)i;
        }
    }
    return -1;
}

/* The argument as the Linux tool reads it, in UTF-8, allocated. */
static char* unix_argument(const WCHAR* argument) {
    int start = drive_path_start(argument);
    char* path = NULL;
    if (start >= 0 && unix_file_name != NULL) {
        path = unix_file_name(argument + start);
    }
    int prefix_length = start >= 0 && path != NULL ? start : (int)wcslen(argument);
    int prefix_bytes =
        WideCharToMultiByte(CP_UTF8, 0, argument, prefix_length, NULL, 0, NULL, NULL);
    size_t path_bytes = path != NULL ? strlen(path) : 0;
    char* result = malloc(prefix_bytes + path_bytes + 1);
    WideCharToMultiByte(CP_UTF8, 0, argument, prefix_length, result, prefix_bytes, NULL, NULL);
    if (path != NULL) {
        memcpy(result + prefix_bytes, path, path_bytes);
        HeapFree(GetProcessHeap(), 0, path);
    } else if (start < 0 && argument[0] != L'-') {
        /* A relative path written with backslashes. */
        for (int i = 0; i < prefix_bytes; ++i) {
            if (result[i] == '\\') {
                result[i] = '/';
            }
        }
    }
    result[prefix_bytes + path_bytes] = '\0';
    return result;
}

/* Appends argument to line quoted by the Windows rules, which Wine follows
 * when it splits the line for a Unix program: backslashes are doubled only
 * before a quote. */
static void append_quoted(WCHAR* line, size_t* used, const WCHAR* argument) {
    line[(*used)++] = L'"';
    size_t backslashes = 0;
    for (const WCHAR* c = argument;; ++c) {
        if (*c == L'\\') {
            ++backslashes;
            continue;
        }
        size_t copies = *c == L'"' || *c == 0 ? backslashes * 2 : backslashes;
        for (size_t i = 0; i < copies; ++i) {
            line[(*used)++] = L'\\';
        }
        backslashes = 0;
        if (*c == 0) {
            break;
        }
        if (*c == L'"') {
            line[(*used)++] = L'\\';
        }
        line[(*used)++] = *c;
    }
    line[(*used)++] = L'"';
    line[(*used)++] = L' ';
    line[*used] = 0;
}

static WCHAR* widen(const char* text) {
    int count = MultiByteToWideChar(CP_UTF8, 0, text, -1, NULL, 0);
    WCHAR* wide = malloc(count * sizeof(WCHAR));
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, count);
    return wide;
}

/* The exit status the shell wrote into path, once the whole line is there. */
static int read_status(const WCHAR* path, int* status) {
    FILE* file = _wfopen(path, L"rb");
    if (file == NULL) {
        return 0;
    }
    char text[32] = {0};
    size_t length = fread(text, 1, sizeof(text) - 1, file);
    fclose(file);
    if (length == 0 || text[length - 1] != '\n') {
        return 0;
    }
    *status = atoi(text);
    return 1;
}

int wmain(int argc, WCHAR** argv) {
    /* Through a function type without parameters, which any function's address fits. */
    unix_file_name = (UnixFileName)(void (*)(void))GetProcAddress(GetModuleHandleW(L"kernel32"),
                                                                  "wine_get_unix_file_name");
    if (unix_file_name == NULL) {
        fwprintf(stderr, L"%ls: runs under Wine only\n", argv[0]);
        return 127;
    }
    WCHAR folder[MAX_PATH];
    WCHAR status_file[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"sts", 0, status_file)) {
        fwprintf(stderr, L"%ls: no temporary file for the exit status\n", argv[0]);
        return 127;
    }
    WCHAR* unix_status = widen(unix_argument(status_file));
    const WCHAR* script = L"status=$1; shift; \"$@\"; echo $? >\"$status\"";
    size_t capacity = 64 + wcslen(script) + wcslen(unix_status) + strlen(TOOL);
    WCHAR** arguments = malloc(argc * sizeof(WCHAR*));
    for (int i = 1; i < argc; ++i) {
        arguments[i] = widen(unix_argument(argv[i]));
        capacity += 2 * wcslen(arguments[i]) + 3;
    }
    WCHAR* line = malloc(capacity * sizeof(WCHAR));
    size_t used = 0;
    line[0] = 0;
    append_quoted(line, &used, L"Z:\\bin\\sh");
    append_quoted(line, &used, L"-c");
    append_quoted(line, &used, script);
    append_quoted(line, &used, L"sh");
    append_quoted(line, &used, unix_status);
    append_quoted(line, &used, WIDEN(TOOL));
    for (int i = 1; i < argc; ++i) {
        append_quoted(line, &used, arguments[i]);
    }

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {0};
    if (!CreateProcessW(NULL, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        fwprintf(stderr, L"%ls: /bin/sh did not start (error %lu)\n", argv[0], GetLastError());
        DeleteFileW(status_file);
        return 127;
    }
    int status = 0;
    while (!read_status(status_file, &status)) {
        Sleep(10);
    }
    DeleteFileW(status_file);
    return status;
}
