#pragma once

class District;
class FocusRouter;
class QWidget;
class WindowServices;

// The exchange controls of the window. On "Tlač / Export" (TabSheet7): the group GB_Export with the
// button Button16 and the hidden, disabled check box Bezchybnost that shows the complete check's verdict;
// the group GB_PoslednyExport with the archive, time and SHA-256 of the last export (data/exporty.log),
// renewed by every export; the button "O programe" with the version and the folders in use; the hidden
// group GB_Import with Button13 and the memo importdebug. On "CISELNIKY" (TabSheet8): the
// read-only grids DSVQ_OBCE and DSVQ_KOAL of the two code lists, Button4, Button5 and the memo impmemo.
// The buttons run their operations through the router, which shows an escaping error in the error box.
void buildExchangeControls(QWidget &tabSheet7, QWidget &tabSheet8, District &district, WindowServices &services,
                           FocusRouter &router);
