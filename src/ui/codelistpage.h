#pragma once

#include "ui/formpages.h"

class District;
class FocusRouter;
class WindowServices;

// The page "CISELNIKY" (TabSheet8): the read-only grids DSVQ_OBCE and DSVQ_KOAL of the two code lists,
// their imports Button4 and Button5, and the memo impmemo. The imports run through the router, which
// shows an escaping error in the error box.
class CodeListPage : public FormPages {
    Q_OBJECT
public:
    CodeListPage(District &district, WindowServices &services, FocusRouter &router, QWidget &tabSheet8);
};
