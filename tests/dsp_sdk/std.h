/*
 * std.h -- test fixture only.
 *
 * A stand-in for the DSP tools' standard types header, enough for the
 * generated DSP sources to compile with the host compiler.
 */
#ifndef STD_H
#define STD_H
typedef int Int;
typedef unsigned int Uns;
typedef void Void;
typedef void *Ptr;
typedef int Bool;
#define TRUE 1
#define FALSE 0
#endif /* STD_H */
