# Microsoft Developer Studio Generated NMAKE File, Based on NFMix.dsp
!IF "$(CFG)" == ""
CFG=NFMix - Win32 Release
!MESSAGE No configuration specified. Defaulting to NFMix - Win32 Release.
!ENDIF 

!IF "$(CFG)" != "NFMix - Win32 Release" && "$(CFG)" != "NFMix - Win32 Debug"
!MESSAGE Invalid configuration "$(CFG)" specified.
!MESSAGE You can specify a configuration when running NMAKE
!MESSAGE by defining the macro CFG on the command line. For example:
!MESSAGE 
!MESSAGE NMAKE /f "NFMix.mak" CFG="NFMix - Win32 Release"
!MESSAGE 
!MESSAGE Possible choices for configuration are:
!MESSAGE 
!MESSAGE "NFMix - Win32 Release" (based on "Win32 (x86) Dynamic-Link Library")
!MESSAGE "NFMix - Win32 Debug" (based on "Win32 (x86) Dynamic-Link Library")
!MESSAGE 
!ERROR An invalid configuration is specified.
!ENDIF 

!IF "$(OS)" == "Windows_NT"
NULL=
!ELSE 
NULL=nul
!ENDIF 

!IF  "$(CFG)" == "NFMix - Win32 Release"

OUTDIR=.\Release
INTDIR=.\Release
# Begin Custom Macros
OutDir=.\Release
# End Custom Macros

ALL : "$(OUTDIR)\NFMix.dll"


CLEAN :
	-@erase "$(INTDIR)\IFNFMix.obj"
	-@erase "$(INTDIR)\NFMix.res"
	-@erase "$(INTDIR)\vc60.idb"
	-@erase "$(OUTDIR)\NFMix.dll"
	-@erase "$(OUTDIR)\NFMix.exp"
	-@erase "$(OUTDIR)\NFMix.lib"
	-@erase "$(OUTDIR)\NFMix.map"

"$(OUTDIR)" :
    if not exist "$(OUTDIR)/$(NULL)" mkdir "$(OUTDIR)"

CPP=cl.exe
CPP_PROJ=/nologo /MT /W3 /GX /O2 /I "C:\Host\Include" /D "WIN32" /D "NDEBUG" /D "_WINDOWS" /Fo"$(INTDIR)\\" /Fd"$(INTDIR)\\" /FD /c 

.c{$(INTDIR)}.obj::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.cpp{$(INTDIR)}.obj::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.cxx{$(INTDIR)}.obj::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.c{$(INTDIR)}.sbr::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.cpp{$(INTDIR)}.sbr::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.cxx{$(INTDIR)}.sbr::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

MTL=midl.exe
MTL_PROJ=/nologo /D "NDEBUG" /mktyplib203 /win32 
RSC=rc.exe
RSC_PROJ=/l 0x409 /fo"$(INTDIR)\NFMix.res" /i "C:\Host\Include" /d "NDEBUG" 
BSC32=bscmake.exe
BSC32_FLAGS=/nologo /o"$(OUTDIR)\NFMix.bsc" 
BSC32_SBRS= \
	
LINK32=link.exe
LINK32_FLAGS=kernel32.lib user32.lib gdi32.lib winspool.lib comdlg32.lib advapi32.lib shell32.lib ole32.lib oleaut32.lib uuid.lib odbc32.lib odbccp32.lib /nologo /subsystem:windows /dll /incremental:no /pdb:"$(OUTDIR)\NFMix.pdb" /map:"$(INTDIR)\NFMix.map" /machine:I386 /def:".\NFMix.def" /out:"$(OUTDIR)\NFMix.dll" /implib:"$(OUTDIR)\NFMix.lib" 
DEF_FILE= \
	".\NFMix.def"
LINK32_OBJS= \
	"$(INTDIR)\IFNFMix.obj" \
	"$(INTDIR)\NFMix.res" \
	"C:\Host\Lib\\Bddk.lib" \
	"C:\Host\Lib\\htmlhelp.lib"

"$(OUTDIR)\NFMix.dll" : "$(OUTDIR)" $(DEF_FILE) $(LINK32_OBJS)
    $(LINK32) @<<
  $(LINK32_FLAGS) $(LINK32_OBJS)
<<

!ELSEIF  "$(CFG)" == "NFMix - Win32 Debug"

OUTDIR=.\Debug
INTDIR=.\Debug
# Begin Custom Macros
OutDir=.\Debug
# End Custom Macros

ALL : "$(OUTDIR)\NFMix.dll"


CLEAN :
	-@erase "$(INTDIR)\IFNFMix.obj"
	-@erase "$(INTDIR)\NFMix.res"
	-@erase "$(INTDIR)\vc60.idb"
	-@erase "$(INTDIR)\vc60.pdb"
	-@erase "$(OUTDIR)\NFMix.dll"
	-@erase "$(OUTDIR)\NFMix.exp"
	-@erase "$(OUTDIR)\NFMix.ilk"
	-@erase "$(OUTDIR)\NFMix.lib"
	-@erase "$(OUTDIR)\NFMix.map"
	-@erase "$(OUTDIR)\NFMix.pdb"

"$(OUTDIR)" :
    if not exist "$(OUTDIR)/$(NULL)" mkdir "$(OUTDIR)"

CPP=cl.exe
CPP_PROJ=/nologo /MTd /W3 /Gm /GX /ZI /Od /I "C:\Host\Include" /D "WIN32" /D "_DEBUG" /D "_WINDOWS" /Fo"$(INTDIR)\\" /Fd"$(INTDIR)\\" /FD /c 

.c{$(INTDIR)}.obj::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.cpp{$(INTDIR)}.obj::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.cxx{$(INTDIR)}.obj::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.c{$(INTDIR)}.sbr::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.cpp{$(INTDIR)}.sbr::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

.cxx{$(INTDIR)}.sbr::
   $(CPP) @<<
   $(CPP_PROJ) $< 
<<

MTL=midl.exe
MTL_PROJ=/nologo /D "_DEBUG" /mktyplib203 /win32 
RSC=rc.exe
RSC_PROJ=/l 0x409 /fo"$(INTDIR)\NFMix.res" /i "C:\Host\Include" /d "_DEBUG" 
BSC32=bscmake.exe
BSC32_FLAGS=/nologo /o"$(OUTDIR)\NFMix.bsc" 
BSC32_SBRS= \
	
LINK32=link.exe
LINK32_FLAGS=kernel32.lib user32.lib gdi32.lib winspool.lib comdlg32.lib advapi32.lib shell32.lib ole32.lib oleaut32.lib uuid.lib odbc32.lib odbccp32.lib /nologo /subsystem:windows /dll /incremental:yes /pdb:"$(OUTDIR)\NFMix.pdb" /map:"$(INTDIR)\NFMix.map" /debug /machine:I386 /def:".\NFMix.def" /out:"$(OUTDIR)\NFMix.dll" /implib:"$(OUTDIR)\NFMix.lib" 
DEF_FILE= \
	".\NFMix.def"
LINK32_OBJS= \
	"$(INTDIR)\IFNFMix.obj" \
	"$(INTDIR)\NFMix.res" \
	"C:\Host\Lib\\Bddk.lib" \
	"C:\Host\Lib\\htmlhelp.lib"

"$(OUTDIR)\NFMix.dll" : "$(OUTDIR)" $(DEF_FILE) $(LINK32_OBJS)
    $(LINK32) @<<
  $(LINK32_FLAGS) $(LINK32_OBJS)
<<

!ENDIF 


!IF "$(NO_EXTERNAL_DEPS)" != "1"
!IF EXISTS("NFMix.dep")
!INCLUDE "NFMix.dep"
!ELSE 
!MESSAGE Warning: cannot find "NFMix.dep"
!ENDIF 
!ENDIF 


!IF "$(CFG)" == "NFMix - Win32 Release" || "$(CFG)" == "NFMix - Win32 Debug"
SOURCE=.\IFNFMix.c

"$(INTDIR)\IFNFMix.obj" : $(SOURCE) "$(INTDIR)"


SOURCE=.\NFMix.rc

"$(INTDIR)\NFMix.res" : $(SOURCE) "$(INTDIR)"
	$(RSC) $(RSC_PROJ) $(SOURCE)



!ENDIF 
