#pragma once

#include "ui/formpages.h"

#include <QString>

class District;
class FocusRouter;
class QLabel;
class QWidget;
class WindowServices;

// The protocol pages TabSheet1 and TabSheet2: their controls built from the layout tables
// (protocollayout.h), bound to the S1 record, TEMP_TLAC and the district state, and the handlers of the
// protocol entry, the next-page buttons and the database wipe. The pages keep no state of their own: the
// emphasis of the party votes is the window's display (FormDisplay).
class ProtocolPages : public FormPages {
    Q_OBJECT
public:
    ProtocolPages(District &district, WindowServices &services, FocusRouter &router, QWidget &tabSheet1,
                  QWidget &tabSheet2);

    // Builds one of the two pages (TabSheet1 is built with the window, TabSheet2 when first shown).
    void buildPage(QWidget &page);

private:
    void buildRows(QWidget &page);
    void showParties(QWidget &group);
    static void showPartyCaption(QLabel &caption, const QString &name, int n);
    void connectHandlers(QWidget &page);
    void showState();
    void moveFocus(const QString &target);
    void Button11Click();
    // ePPHPS1Exit with its emphasis shown.
    void partyBoxExit();

    District &m_district;
    WindowServices &m_services;
    FocusRouter &m_router;
};
