/*
 * xdas.h -- test fixture only.
 *
 * A stand-in for the XDAIS standard types header: the types the generated
 * DSP sources and the algorithm headers the compile tests write for them use.
 */
#ifndef XDAS_H
#define XDAS_H
typedef void XDAS_Void;
typedef unsigned char XDAS_Bool;
typedef signed char XDAS_Int8;
typedef unsigned char XDAS_UInt8;
typedef short XDAS_Int16;
typedef unsigned short XDAS_UInt16;
typedef int XDAS_Int32;
typedef unsigned int XDAS_UInt32;
#endif /* XDAS_H */
