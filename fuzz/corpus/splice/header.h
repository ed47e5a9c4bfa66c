// Block.h
//; Definitions
#define GAIN 2
//; End of Definitions
typedef struct {
//; Block Parameter Structure
    int n;
//; Added Variables
    int mine;
    double yours;
//; End of Added Variables
//; End of Block Parameter Structure
} BLOCK_PARAM;
//; Scratch Parameter Structure
//; Added Variables
    char scratch[8];
//; End of Added Variables
//; End of Scratch Parameter Structure
//; External Routine Prototypes
void Mine(void);
//; End of External Routine Prototypes
