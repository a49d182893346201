/////////////////////////////////////
//  Generated Initialization File  //
/////////////////////////////////////

#include "Q7R20.h"

// Peripheral specific initialization functions,
// Called from the Init_Device() function
void Oscillator_Init()
{
    OSCXCN    = 0x40;
}

// Initialization function for device,
// Call Init_Device() from your main program
void Init_Device(void)
{
    Oscillator_Init();
}
