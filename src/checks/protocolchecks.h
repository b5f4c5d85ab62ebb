#pragma once

class District;

// The checks of the protocol T/12 on the S1 record. Mode 1 shows a failure in the plain message box
// (K01, K02, K03 then request the focus of eOBVOD, eOBEC, eOKRSOK); mode 0 appends the message and an
// empty line to Protokol1; any other mode reports nothing.

void T12K01(District &district, int mode); // checks nothing
void T12K02(District &district, int mode); // K02 municipality unknown, or K01 district differs; TEMP_TLAC
void T12K03(District &district, int mode);
void T12K04(District &district, int mode);
void T12K05(District &district, int mode);
void T12K06(District &district, int mode);
void T12K07(District &district, int mode);
void T12K08(District &district, int mode);
void T12K09(District &district, int mode);
void T12I10(District &district, int mode);
void T12K11(District &district, int mode); // checks nothing
