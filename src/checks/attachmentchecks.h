#pragma once

class District;

// The checks of the attachments T/13 on the current P1 record (K18 on all of them), with the modes of
// the protocol checks: in mode 0 K02, K03, K14, K15 and K16 go to Protokol1, K17 and K18 to Protokol2.

void T13K01(District &district, int mode); // checks nothing
void T13K02(District &district, int mode);
void T13K03(District &district, int mode);
void T13K12(District &district, int mode); // checks nothing
void T13K13(District &district, int mode); // checks nothing
void T13K14(District &district, int mode); // also K14_OK
void T13K15(District &district, int mode); // also K15_OK
// 1..150: that candidate, shown at once; 0: every candidate into Protokol1; anything else: nothing.
void T13K16(District &district, int candidate);
void T13K17(District &district, int mode);
void T13K18(District &district, int mode);
void T13K19(District &district, int mode); // checks nothing
