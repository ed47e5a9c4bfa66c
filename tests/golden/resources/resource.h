#ifndef resource_h
#define resource_h
//==========================================================================
// RESOURCE.H
// Resource Header file for Tessaline Auto-Generated Block DLL              
// Tessaline Blockwright generated include file.
//===========================================================================



#endif
