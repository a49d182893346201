/////////////////////////////////////
//  Generated Initialization File  //
/////////////////////////////////////

#include "Q7R20.h"

// Peripheral specific initialization functions,
// Called from the Init_Device() function
void PCA_Init()
{
    PCA0CN    = 0x40;
    PCA0MD    &= ~0x40;
    PCA0MD    = 0x04;
    PCA0CPM0  = 0x42;
    PCA0CPM1  = 0x46;
    PCA0CPL4  = 0x39;
    PCA0MD    |= 0x20;
    PCA0CPH0  = 0xC0;
    PCA0CPH1  = 0x4B;
}

void Timer_Init()
{
    TCON      = 0x10;
    TMOD      = 0x02;
    CKCON     = 0x04;
    TH0       = 0xF6;
}

// Initialization function for device,
// Call Init_Device() from your main program
void Init_Device(void)
{
    PCA_Init();
    Timer_Init();
}
