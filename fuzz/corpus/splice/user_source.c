//;[Gain Start]
//; Include Libraries
#include <math.h>
//; End of Include Libraries
//; Integer Precision
//; Internally used variables
int i;
//; End of Internally used variables
//; Local Routine
x = x * 2;
//; End of Local Routine
//; End of Integer Precision
//; External Routines
void Helper(void) {}
//; End of External Routines
//;[Gain End]
