;------------------------------------
;-  Generated Initialization File  --
;------------------------------------

$include (Q7R20.inc)

public  Init_Device

INIT SEGMENT CODE
    rseg INIT

; Peripheral specific initialization functions,
; Called from the Init_Device label
PCA_Init:
    mov  PCA0CN,    #040h
    anl  PCA0MD,    #0BFh
    mov  PCA0MD,    #004h
    mov  PCA0CPM0,  #042h
    mov  PCA0CPM1,  #046h
    mov  PCA0CPL4,  #039h
    orl  PCA0MD,    #020h;
    mov  PCA0CPH0,  #0C0h
    mov  PCA0CPH1,  #04Bh
    ret

Timer_Init:
    mov  TCON,      #010h
    mov  TMOD,      #002h
    mov  CKCON,     #004h
    mov  TH0,       #0F6h
    ret

; Initialization function for device,
; Call Init_Device from your main program
Init_Device:
    lcall PCA_Init
    lcall Timer_Init
    ret

end
