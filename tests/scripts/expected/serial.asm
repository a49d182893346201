;------------------------------------
;-  Generated Initialization File  --
;------------------------------------

$include (Q7R20.inc)

public  Init_Device

INIT SEGMENT CODE
    rseg INIT

; Peripheral specific initialization functions,
; Called from the Init_Device label
Timer_Init:
    mov  TCON,      #050h
    mov  TMOD,      #022h
    mov  CKCON,     #00Ch
    mov  TH0,       #0B0h
    mov  TH1,       #098h
    mov  TMR3CN,    #004h
    mov  TMR3RLL,   #0AFh
    mov  TMR3RLH,   #03Ch
    ret

UART_Init:
    mov  SCON0,     #010h
    mov  SBRLL1,    #01Eh
    mov  SBRLH1,    #0FBh
    mov  SCON1,     #010h
    mov  SBCON1,    #043h
    ret

SMBus_Init:
    mov  SMB0CF,    #088h
    ret

SPI_Init:
    mov  SPI0CFG,   #040h
    mov  SPI0CN,    #00Dh
    mov  SPI0CKR,   #00Bh
    ret

Port_IO_Init:
    ; P0.0  -  SCK  (SPI0), Open-Drain, Digital
    ; P0.1  -  MISO (SPI0), Open-Drain, Digital
    ; P0.2  -  MOSI (SPI0), Open-Drain, Digital
    ; P0.3  -  NSS  (SPI0), Open-Drain, Digital
    ; P0.4  -  TX0 (UART0), Open-Drain, Digital
    ; P0.5  -  RX0 (UART0), Open-Drain, Digital
    ; P0.6  -  SDA (SMBus), Open-Drain, Digital
    ; P0.7  -  SCL (SMBus), Open-Drain, Digital

    ; P1.0  -  TX1 (UART1), Open-Drain, Digital
    ; P1.1  -  RX1 (UART1), Open-Drain, Digital
    ; P1.2  -  Unassigned,  Open-Drain, Digital
    ; P1.3  -  Unassigned,  Open-Drain, Digital
    ; P1.4  -  Unassigned,  Open-Drain, Digital
    ; P1.5  -  Unassigned,  Open-Drain, Digital
    ; P1.6  -  Unassigned,  Open-Drain, Digital
    ; P1.7  -  Unassigned,  Open-Drain, Digital

    ; P2.0  -  Unassigned,  Open-Drain, Digital
    ; P2.1  -  Unassigned,  Open-Drain, Digital
    ; P2.2  -  Unassigned,  Open-Drain, Digital
    ; P2.3  -  Unassigned,  Open-Drain, Digital
    ; P2.4  -  Unassigned,  Open-Drain, Digital
    ; P2.5  -  Unassigned,  Open-Drain, Digital
    ; P2.6  -  Unassigned,  Open-Drain, Digital
    ; P2.7  -  Unassigned,  Open-Drain, Digital

    ; P3.0  -  Unassigned,  Open-Drain, Digital
    ; P3.1  -  Unassigned,  Open-Drain, Digital
    ; P3.2  -  Unassigned,  Open-Drain, Digital
    ; P3.3  -  Unassigned,  Open-Drain, Digital
    ; P3.4  -  Unassigned,  Open-Drain, Digital
    ; P3.5  -  Unassigned,  Open-Drain, Digital
    ; P3.6  -  Unassigned,  Open-Drain, Digital
    ; P3.7  -  Unassigned,  Open-Drain, Digital

    mov  XBR0,      #007h
    mov  XBR1,      #040h
    mov  XBR2,      #001h
    ret

Oscillator_Init:
    mov  CLKMUL,    #080h
    clr  A                     ; Wait 5us for initialization
    djnz ACC,       $
    orl  CLKMUL,    #0C0h
Osc_Wait2:
    mov  A,         CLKMUL
    jnb  ACC.5,     Osc_Wait2
    mov  CLKSEL,    #002h
    ret

; Initialization function for device,
; Call Init_Device from your main program
Init_Device:
    lcall Timer_Init
    lcall UART_Init
    lcall SMBus_Init
    lcall SPI_Init
    lcall Port_IO_Init
    lcall Oscillator_Init
    ret

end
