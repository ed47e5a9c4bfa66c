// UserControlProc and UserPaintProc: fixed text, the first for the block's
// author to complete, the second drawing an xDAIS block's bitmap.
#include "gen_interface/parameters_text.h"
#include "gen_interface/sections.h"

namespace bw {

using namespace interface_text;

namespace {

// A control case: the lock, the author's note with an example, the unlock.
void WriteControlCase(Printer& print, std::string_view caseLine, std::string_view example,
                      bool scrollPosition) {
    print.Raw(caseLine);
    print.Lines({
        "                 if ((pPtr = (BLOCK_PARAM *)GlobalLock(hParam))==NULL)",
        "                    return TRUE;",
        "// NOTE: A user parameter can be set with a value as shown in the example below.",
    });
    print.Raw(example);
    if (scrollPosition) {
        print.Line("                 SetScrollPos(hDlg, SB_CTL, HIWORD(wParam), TRUE);");
    }
    print.Lines({
        "                 // unlock memory",
        "                 GlobalUnlock(hParam);",
        "                 break;",
    });
}

}  // namespace

void WriteUserControlProc(OutputFile& file, const BLOCKINFO&) {
    Printer print(file);
    print.Lines({
        Rule('=', 75),
        "// Function   : UserControlProc()",
        "// Purpose    : User control dialog procedure",
        "// Parameters : hDlg          - Handle of the dialog box",
        "//              hParam        - Parameter information struct",
        "//              msg           - Dialog box message",
        "//              wParam        - Dialog box word parameter",
        "//              lParam        - Dialog box long parameter",
        "// Returns    : TRUE if processed, FALSE if not",
        Rule('=', 75),
        "BOOL PASCAL UserControlProc(HWND hDlg, HANDLE hParam, register UINT msg, register WPARAM wParam,LPARAM lParam)",
        "{",
        "    BLOCK_PARAM     *pPtr;",
        "",
        "    switch (msg)",
        "    {",
        "        case WM_INITDIALOG:",
        "            return FALSE;",
        "",
        "        case WM_HSCROLL:",
        "            switch (LOWORD(wParam))",
        "            {",
    });
    const std::string_view scrollExample =
        "//                  pPtr->_Parameter0 = HIWORD(wParam);";
    WriteControlCase(print, "              case SB_THUMBTRACK:", scrollExample, false);
    WriteControlCase(print, "              case SB_THUMBPOSITION:", scrollExample, true);
    print.Lines({
        "            }",
        "            break;",
        "",
        "        case WM_COMMAND:",
        "            switch (LOWORD(wParam))",
        "            {",
    });
    WriteControlCase(print, "              case IDC_BUTTON1:",
                     "//                  pPtr->Parameter0 ^= 1;", false);
    WriteControlCase(print, "              case IDC_RADIO1:", "//                  pPtr->Parameter0 = 1;", false);
    WriteControlCase(print, "              case IDC_CHECK1:", "//                  pPtr->Parameter0 ^= 1;",
                     false);
    print.Lines({
        "              case SC_CLOSE:",
        "                 break;",
        "",
        "              default:",
        "                 return FALSE;",
        "            }",
        "            break;",
        "",
        "        default:",
        "            return FALSE;",
        "    }",
        "    return TRUE;",
        "}",
        "",
    });
}

void WriteUserPaintProc(OutputFile& file, const BLOCKINFO&) {
    Printer print(file);
    print.Lines({
        "int PASCAL UserPaintProc(HDC hDC, HANDLE hBioInfo, HANDLE hParam, HANDLE hScratchParam)",
        "{",
        "  BOOL            NeedToRelease;",
        "  RECT            Rect;",
        "  HWND            hWnd;",
        "  HDC             hImageDC;",
        "  HDC             hMemDC;",
        "  HBITMAP         hMemBitmap;",
        "  HBITMAP         hOldImage;",
        "  HBITMAP         hOldMemBitmap;",
        "  BLOCK_PARAM    *pPtr;",
        "  SCRATCH_PARAM  *sPtr;",
        "",
        "  if ((pPtr = (BLOCK_PARAM far *)GlobalLock(hParam)) == NULL)",
        "    return(USR_ERR_NPT);",
        "  if ((sPtr = (SCRATCH_PARAM far *)GlobalLock(hScratchParam)) == NULL){",
        "    GlobalUnlock(hParam);",
        "    return(USR_ERR_NPT);",
        "  }",
        "",
        "  hWnd = GetBlockWindowHandle();",
        "  GetClientRect(hWnd, &Rect);",
        "  NeedToRelease = FALSE;",
        "  if(hDC == NULL){",
        "    NeedToRelease = TRUE;",
        "    hDC = GetDC(hWnd);",
        "  }",
        "",
        "  hImageDC = CreateCompatibleDC(hDC);",
        "  hMemDC = CreateCompatibleDC(hDC);",
        "  hMemBitmap = CreateCompatibleBitmap(hDC, sPtr->Bitmap.bmWidth, sPtr->Bitmap.bmHeight);",
        "  hOldImage = (HBITMAP)SelectObject(hImageDC, sPtr->hBitmap);",
        "  hOldMemBitmap = (HBITMAP)SelectObject(hMemDC, hMemBitmap);",
        "",
        "  BitBlt(hMemDC,0,0,sPtr->Bitmap.bmWidth,sPtr->Bitmap.bmHeight,hImageDC,0,0,SRCCOPY);",
        "  StretchBlt(hDC,0,0,Rect.right,Rect.bottom,hMemDC,0,0,sPtr->Bitmap.bmWidth,sPtr->Bitmap.bmHeight,SRCCOPY);",
        "",
        "  SelectObject(hImageDC, hOldImage);",
        "  SelectObject(hMemDC, hOldMemBitmap);",
        "  DeleteObject(hMemBitmap);",
        "  DeleteDC(hMemDC);",
        "  DeleteDC(hImageDC);",
        "  if(NeedToRelease)",
        "    ReleaseDC(hWnd, hDC);",
        "",
        "  GlobalUnlock(hScratchParam);",
        "  GlobalUnlock(hParam);",
        "  return(USR_NO_ERR);",
        "}",
        "",
    });
}

}  // namespace bw
