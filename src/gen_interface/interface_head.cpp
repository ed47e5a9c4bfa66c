// The file head of the interface source: the comment head, the description of
// every entry point, the includes and the module's static variables.
#include "gen_interface/section_text.h"
#include "gen_interface/sections.h"
#include "generation/names_and_literals.h"
#include "generation/text_contexts.h"

namespace bw {

using namespace section_text;

namespace {

using Description = std::initializer_list<std::string_view>;

const Description SETUP_DESCRIPTION = {
    "    Function:   UserSetupProc()",
    "    Purpose:    This function is called at the time of new block addition   ",
    "                to set up Block I/O information and user parameter struct   ",
    "                memory allocation",
    "    Parameters: (HANDLE *)hParam        - Parameter information struct",
    "                (HANDLE *)hScratchParam - Scratch Parameter struct",
    "    Returns:    USR_NO_ERR if no error",
    "                Error Code if error",
};

const Description DEFAULT_SETUP_DESCRIPTION = {
    "    Function:   UserDefaultSetupProc()",
    "    Purpose:    To setup default parameters",
    "    Parameters: hParam        - Parameter information struct",
    "                hScratchParam - Scratch Parameter struct",
    "    Returns:    USR_NO_ERR if no error",
    "                error code otherwise",
};

const Description PRE_INITIALIZE_DESCRIPTION = {
    "    Function:   UserPreInitializeProc()",
    "    Purpose:    Pre-initialization procedure.",
    "                This procedure is called before the UserInitializeProc.  It",
    "                can be used for various functions such as loading a real-time",
    "                driver associated with the block.",
    "    Parameters: hBioInfo      - Block I/O information struct",
    "                hParam        - Parameter information struct",
    "                hScratchParam - Scratch Parameter struct",
    "    Returns:    TRUE if initialization complete",
    "                FALSE otherwise",
};

const Description INITIALIZE_DESCRIPTION = {
    "    Function:   UserInitializeProc()",
    "    Purpose:    Initialization procedure",
    "                This function will handle all memory allocations and",
    "                other initializations required before processing",
    "    Parameters: hBioInfo      - Block I/O information struct",
    "                hParam        - Parameter information struct",
    "                hScratchParam - Scratch Parameter struct",
    "    Returns:    TRUE if initialization complete",
    "                FALSE otherwise",
};

const Description RT_COMPILE_DESCRIPTION = {
    "    Function:   UserRTCompileProc()",
    "    Purpose:    Compiles and links block on target DSP",
    "    Parameters: hBioInfo      - Block I/O information struct",
    "                hParam        - Parameter information struct",
    "                hScratchParam - Scratch Parameter struct",
    "                ModeState     - Compile mode",
    "    Returns:    TRUE if initialization complete",
    "                FALSE otherwise",
};

const Description EXEC_DESCRIPTION = {
    "    Function:   UserExecProc()",
    "    Purpose:    Main procedure for algorithm computation.",
    "                This function will handle all computation as well as i/o",
    "                function if required",
    "    Parameters: hBioInfo      - Block I/O information struct",
    "                hParam        - Parameter information struct",
    "                hScratchParam - Scratch Parameter struct",
    "    Returns:    TRUE if initialization complete",
    "                FALSE otherwise",
};

const Description EXIT_DESCRIPTION = {
    "    Function:   UserExitProc()",
    "    Purpose:    Exit function used for releasing resources (such as memory)",
    "    Parameters: hBioInfo      - Block I/O information struct",
    "                hParam        - Parameter information struct",
    "                hScratchParam - Scratch Parameter struct",
    "    Returns:    TRUE if no error",
    "                FALSE otherwise",
};

const Description STOP_DESCRIPTION = {
    "    Function:   UserStopProc()",
    "    Purpose:    Handles 'Stop' request from Zirud Izadivo",
    "    Parameters: hBioInfo      - Block I/O information struct",
    "                hParam        - Parameter information struct",
    "                hScratchParam - Scratch Parameter struct",
    "    Returns:    USR_NO_ERR if no error",
    "                Error Code if error",
};

const Description RESET_DESCRIPTION = {
    "    Function:   UserResetProc()",
    "    Purpose:    Reset parameters such as frames pointers, flag to rerun the",
    "                the algorithm",
    "    Parameters: hBioInfo      - Block I/O information struct",
    "                hParam        - Parameter information struct",
    "                hScratchParam - Scratch Parameter struct",
    "    Returns:    USR_NO_ERR if no error",
    "                Error Code if error",
};

const Description DIALOG_DESCRIPTION = {
    "    Function:   UserDialogProc()",
    "    Purpose:    Dialog function for this application. This is the user",
    "                interface function",
    "    Parameters: Algorithm dependent",
    "    Returns:    TRUE if processed, FALSE if not",
    "    Note:       This is a window callback function",
};

const Description SAVE_DESCRIPTION = {
    "    Function:   UserSaveProc()",
    "    Purpose:    This function is called to save the block parameters to a file.",
    "    Parameters: HANDLE hParam              - Parameter information struct",
    "                HANDLE hScratchParam       - Scratch Parameter struct",
    "                (LPSTR)Section             - Section name of the file",
    "                (LPSTR)FileName            - File name to save",
    "    Returns:    USR_NO_ERR if no error",
    "                Error Code if error",
};

const Description LOAD_DESCRIPTION = {
    "    Function:   UserLoadProc()",
    "    Purpose:    This function is called to load the block parameters from a file.",
    "    Parameters: HANDLE hParam              - Parameter information struct",
    "                HANDLE hScratchParam       - Scratch Parameter struct",
    "                (LPSTR)Section             - Section name of the file",
    "                (LPSTR)FileName            - File name to save",
    "    Returns:    USR_NO_ERR if no error",
    "                Error Code if error",
};

const Description GET_PARAMETER_LIST_DESCRIPTION = {
    "    Function:   UserGetParameterListProc()",
    "    Purpose:    This function fills the list box with the names and IDs of",
    "                all the modifiable parameters for this block.",
    "    Parameters: HWND  hListBox       - Handle of the list box to fill with names",
    "    Returns:    void",
};

const Description SET_PARAMETER_DESCRIPTION = {
    "    Function:   UserSetParameterProc()",
    "    Purpose:    This function sets the specified parameter to the value ",
    "                pointed to by val.",
    "    Parameters: HANDLE hParam        - Handle of the BLOCK_PARAM structure",
    "                HANDLE hScratchParam - Handle of the SCRATCH_PARAM structure",
    "                DWORD  ID            - Identifier of the variable to change",
    "                void  *val           - Pointer to new value",
    "    Returns:    USR_NO_ERR if no error",
    "                Error Code if error",
};

// Its lines use one blank more after the colon than the others.
const Description CONTROL_DESCRIPTION = {
    "    Function:    UserControlProc()",
    "    Purpose:     User control dialog procedure",
    "    Parameters:  hDlg    - Handle of the dialog box",
    "                 hParam  - Parameter information struct",
    "                 msg     - Message",
    "                 wParam  - Dialog box word parameter",
    "                 lParam  - Dialog box long parameter",
    "    Returns:     TRUE if processed, FALSE if not",
};

void WriteCommentHead(Printer& print, const BLOCKINFO& block) {
    WriteFileHead(print, [&] {
        print.Block(R"(
//============================================================================
//
//    FILE:       <FileName>
//
//    PURPOSE:    I/F routines for Tessaline <host>
//                interface source for - <BlockName>.DLL
//
//    BLOCK NAME: <MenuName>
//
//    GROUP NAME: <GroupName>
//
//    <product>
//
//    Number of Inputs : <NumInputs>
//    Number of Outputs: <NumOutputs>
//
//    Creation Date: <date>
//    Creation Time: <time>
//)",
                    {{"host", block.RealTime ? "VEXA" : "Zirud Izadivo"},
                     {"BlockName", block.BlockName},
                     {"MenuName", Escaped(TextContext::CComment, block.MenuName)},
                     {"GroupName", Escaped(TextContext::CComment, block.GroupName)},
                     {"NumInputs", block.NumInputs},
                     {"NumOutputs", block.NumOutputs}});
    });
}

void WriteDescriptions(Printer& print, const BLOCKINFO& block) {
    const std::string separator = "    " + std::string(73, '-');
    bool first = true;
    auto describe = [&](const Description& description) {
        if (!first) {
            print.Raw(separator);
        }
        first = false;
        print.Lines(description);
    };
    print.Raw("/*" + std::string(76, '='));
    describe(SETUP_DESCRIPTION);
    describe(DEFAULT_SETUP_DESCRIPTION);
    describe(PRE_INITIALIZE_DESCRIPTION);
    describe(INITIALIZE_DESCRIPTION);
    if (block.RealTime) {
        describe(RT_COMPILE_DESCRIPTION);
    }
    describe(EXEC_DESCRIPTION);
    describe(EXIT_DESCRIPTION);
    describe(STOP_DESCRIPTION);
    describe(RESET_DESCRIPTION);
    describe(DIALOG_DESCRIPTION);
    describe(SAVE_DESCRIPTION);
    describe(LOAD_DESCRIPTION);
    describe(GET_PARAMETER_LIST_DESCRIPTION);
    describe(SET_PARAMETER_DESCRIPTION);
    if (block.UserControl) {
        describe(CONTROL_DESCRIPTION);
    }
    WriteEmptyLine(print);
    print.Raw(std::string(77, '=') + "*/");
    WriteEmptyLine(print);
}

void WriteIncludes(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "#include <windows.h>",
        "#include <limits.h>",
        "#include <string.h>",
        "#include <stdio.h>",
        "#include <stdlib.h>",
        "#include <ctype.h>",
        "#include <dos.h>",
        "#include <htmlhelp.h>",
    });
    if (UsesFileOpen(block)) {
        print.Line("#include <commdlg.h>");
    }
    WriteEmptyLine(print);
    print.Lines({
        "#include \"bddk.h\"",
        "#include \"hresourc.h\"",
        "#include \"resource.h\"",
    });
    if (block.RealTime) {
        print.Line("#include \"bddrv.h\"");
    }
    print.Raw("#include \"" + block.BlockName + ".h\"");
}

}  // namespace

void WriteInterfaceHead(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    WriteCommentHead(print, block);
    WriteDescriptions(print, block);
    WriteIncludes(print, block);
    if (block.Bitmap) {
        print.Lines({"", "#define MAXCOLORS 256"});
    }
    WriteEmptyLine(print);
    if (block.RealTime) {
        print.Lines({
            "",
            "// Static Variables",
            "static WORD     wBlockInstance = 0;  // counts number of instances of block",
            "static BOOL     bRTChange = FALSE;   // signals the PC to download parameters",
            "",
        });
    }
}

}  // namespace bw
