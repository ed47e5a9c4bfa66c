//; End of External Routines
int Helper(void);
//; External Routines

//; Float Precision
 //; Local Routine
    keep();
//; End of Float Precision
//; Include Libraries
last line