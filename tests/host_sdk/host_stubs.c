/*
 * host_stubs.c -- test fixture only.
 *
 * Empty bodies for every routine the stand-in host's headers
 * (src/standin/sdk) declare, built into a
 * DLL whose import library lets a generated block link as a DLL does against
 * the host. Nothing here does anything.
 */
/* clang-format off */
#include "bddk.h"
#include "bddrv.h"

int PASCAL GetNumInputs(HANDLE hBioInfo) { return 0; }
int PASCAL GetNumOutputs(HANDLE hBioInfo) { return 0; }
HANDLE PASCAL GetInputDataHandle(HANDLE hBioInfo, int nChannel) { return 0; }
BOOL PASCAL GetInputChannelFlag(HANDLE hBioInfo, int nChannel, long *lpFlag) { return 0; }
BOOL PASCAL GetInputQFlag(HANDLE hBioInfo, int nChannel, long *lpQFlag) { return 0; }
BOOL PASCAL GetInputFrameSize(HANDLE hBioInfo, int nChannel, unsigned long *lpFramesize) { return 0; }
BOOL PASCAL GetInputSampFreq(HANDLE hBioInfo, int nChannel, double *lpSampFreq) { return 0; }
HANDLE PASCAL GetOutputDataHandle(HANDLE hBioInfo, int nChannel) { return 0; }
BOOL PASCAL GetOutputChannelFlag(HANDLE hBioInfo, int nChannel, long *lpFlag) { return 0; }
BOOL PASCAL SetOutputDataHandle(HANDLE hBioInfo, int nChannel, HANDLE hBuffer) { return 0; }
BOOL PASCAL SetOutputChannelFlag(HANDLE hBioInfo, int nChannel, long lFlag) { return 0; }
BOOL PASCAL SetOutputQFlag(HANDLE hBioInfo, int nChannel, long lQFlag) { return 0; }
BOOL PASCAL SetOutputFrameSize(HANDLE hBioInfo, int nChannel, unsigned long lFramesize) { return 0; }
BOOL PASCAL SetOutputSampFreq(HANDLE hBioInfo, int nChannel, double *lpSampFreq) { return 0; }
HANDLE PASCAL CheckDataBuffer(HANDLE hBuffer, WORD wSize, DWORD dwCount) { return 0; }
void PASCAL FreeGlobalMemory(HANDLE hMemory) { }
int PASCAL ConvertData(HANDLE hFrom, HANDLE hTo, int nFromType, int nToType, DWORD dwCount) { return 0; }
int PASCAL GetMaxPrecision(int nPrecision1, int nPrecision2) { return 0; }
int PASCAL SaveParamB(LPCSTR Section, LPCSTR Key, int nID, BYTE Value, LPCSTR FileName) { return 0; }
int PASCAL SaveParamS(LPCSTR Section, LPCSTR Key, int nID, short Value, LPCSTR FileName) { return 0; }
int PASCAL SaveParamI(LPCSTR Section, LPCSTR Key, int nID, int Value, LPCSTR FileName) { return 0; }
int PASCAL SaveParamL(LPCSTR Section, LPCSTR Key, int nID, long Value, LPCSTR FileName) { return 0; }
int PASCAL SaveParamF(LPCSTR Section, LPCSTR Key, int nID, float Value, LPCSTR FileName) { return 0; }
int PASCAL SaveParamD(LPCSTR Section, LPCSTR Key, int nID, double Value, LPCSTR FileName) { return 0; }
int PASCAL SaveParamC(LPCSTR Section, LPCSTR Key, int nID, char Value, LPCSTR FileName) { return 0; }
int PASCAL SaveParamStr(LPCSTR Section, LPCSTR Key, int nID, LPCSTR Value, LPCSTR FileName) { return 0; }
BYTE PASCAL LoadParamB(LPCSTR Section, LPCSTR Key, int nID, BYTE Default, LPCSTR FileName) { return 0; }
short PASCAL LoadParamS(LPCSTR Section, LPCSTR Key, int nID, short Default, LPCSTR FileName) { return 0; }
int PASCAL LoadParamI(LPCSTR Section, LPCSTR Key, int nID, int Default, LPCSTR FileName) { return 0; }
long PASCAL LoadParamL(LPCSTR Section, LPCSTR Key, int nID, long Default, LPCSTR FileName) { return 0; }
float PASCAL LoadParamF(LPCSTR Section, LPCSTR Key, int nID, float Default, LPCSTR FileName) { return 0; }
double PASCAL LoadParamD(LPCSTR Section, LPCSTR Key, int nID, double Default, LPCSTR FileName) { return 0; }
char PASCAL LoadParamC(LPCSTR Section, LPCSTR Key, int nID, char Default, LPCSTR FileName) { return 0; }
int PASCAL LoadParamStr(LPCSTR Section, LPCSTR Key, int nID, LPCSTR Default, LPSTR Value, LPCSTR FileName) { return 0; }
void PASCAL AddParmString(HWND hListBox, LPCSTR Name, DWORD dwTypeAndID) { }
HANDLE PASCAL GetHParam(HWND hDlg) { return 0; }
HANDLE PASCAL GetScratchParam(HWND hDlg) { return 0; }
void PASCAL VariablePickList(HWND hDlg, int nID) { }
BYTE PASCAL GetDlgItemB(HWND hDlg, int nID) { return 0; }
short PASCAL GetDlgItemS(HWND hDlg, int nID) { return 0; }
int PASCAL GetDlgItemI(HWND hDlg, int nID) { return 0; }
long PASCAL GetDlgItemL(HWND hDlg, int nID) { return 0; }
float PASCAL GetDlgItemF(HWND hDlg, int nID) { return 0; }
double PASCAL GetDlgItemD(HWND hDlg, int nID) { return 0; }
char PASCAL GetDlgItemC(HWND hDlg, int nID) { return 0; }
int PASCAL GetDlgItemStr(HWND hDlg, int nID, LPSTR Text, int nMax) { return 0; }
void PASCAL SetDlgItemB(HWND hDlg, int nID, BYTE Value) { }
void PASCAL SetDlgItemS(HWND hDlg, int nID, short Value) { }
void PASCAL SetDlgItemI(HWND hDlg, int nID, int Value) { }
void PASCAL SetDlgItemL(HWND hDlg, int nID, long Value) { }
void PASCAL SetDlgItemF(HWND hDlg, int nID, float Value) { }
void PASCAL SetDlgItemD(HWND hDlg, int nID, double Value) { }
void PASCAL SetDlgItemC(HWND hDlg, int nID, char Value) { }
void PASCAL SetDlgItemStr(HWND hDlg, int nID, LPCSTR Text) { }
void PASCAL SetDlgError(BOOL bError) { }
BOOL PASCAL GetDlgError(void) { return 0; }
void PASCAL AddPrecision(HWND hComboBox, int nPrecision) { }
void PASCAL SetPrecision(HWND hComboBox, int nPrecision) { }
int PASCAL GetPrecision(HWND hComboBox) { return 0; }
void PASCAL SeparateFile(LPSTR PathName, LPSTR FileName, LPCSTR CompleteName) { }
BOOL PASCAL FileExists(LPCSTR FileName) { return 0; }
void PASCAL GetAppSection(LPSTR Section) { }
HWND PASCAL GetBlockWindowHandle(void) { return 0; }
HINSTANCE PASCAL GetBlockInstanceHandle(void) { return 0; }
HINSTANCE PASCAL VexaOpenDriver(LPCSTR DriverName, FARPROC *lpfnSendCommand) { return 0; }
void PASCAL VexaCloseDriver(HINSTANCE hDriver) { }
LONG PASCAL VexaSendCommand(HINSTANCE hDriver, WORD wCommand, HWND hWnd, LONG lParam) { return 0; }
int PASCAL ChangeDriver(LPCSTR DriverName, HANDLE hRTParam, HINSTANCE *lphDriver, FARPROC *lpfnSendCommand) { return 0; }
void PASCAL RTDataFlowLink(HANDLE hBioInfo, HINSTANCE hDriver, HANDLE hRTParam, DriverCall *lpfnSendCommand) { }
void PASCAL SetCompiledFlag(BOOL bCompiled) { }
BOOL PASCAL ProcessRTScroll(HWND hDlg, WPARAM wParam, LPARAM lParam) { return 0; }
void PASCAL GetDriverFileName(LPSTR Section, LPSTR FileName) { }
