#pragma once

#include "ui/formpages.h"

class District;
class FormDisplay;

// The page "Prot. o kontrole" (TabSheet6): the memos Protokol1 and Protokol2, each in a group of its
// own, showing the district's two error protocols with their word wrap.
class CheckProtocolPage : public FormPages {
    Q_OBJECT
public:
    CheckProtocolPage(District &district, FormDisplay &display, QWidget &tabSheet6);

private:
    void showState();

    District &m_district;
    FormDisplay &m_display;
};
