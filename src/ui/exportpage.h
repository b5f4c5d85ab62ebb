#pragma once

#include "ui/formpages.h"

class District;
class FocusRouter;
class WindowServices;

// The page "Tlač / Export" (TabSheet7): the group GB_Tlac with the four print buttons; the group
// GB_Export with the button Button16 and the hidden check box Bezchybnost that carries the complete
// check's verdict; the group GB_PoslednyExport with the archive, time and SHA-256 of the last export
// (data/exporty.log), renewed by every export; the button "O programe" with the version and the folders
// in use; the hidden group GB_Import with Button13 and the memo importdebug. The buttons run their
// operations through the router, which shows an escaping error in the error box.
class ExportPage : public FormPages {
    Q_OBJECT
public:
    ExportPage(District &district, WindowServices &services, FocusRouter &router, QWidget &tabSheet7);
};
