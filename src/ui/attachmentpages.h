#pragma once

#include "ui/attachmentkeys.h"
#include "ui/formpages.h"

#include <QString>

class District;
class FocusRouter;
class FormDisplay;
class PageControl;
class QComboBox;
class QWidget;
class WindowServices;

// The attachment pages TabSheet4 and TabSheet5: their controls built from the layout tables, bound to
// the current P1 record and to the district state, and the handlers of the party navigation, the
// candidate entry and the quick entry. The pages keep no state of their own: what they show comes from
// the table, District and the window's display (FormDisplay), and follows their changes.
class AttachmentPages : public FormPages {
    Q_OBJECT
public:
    AttachmentPages(District &district, WindowServices &services, FocusRouter &router, PageControl &pages,
                    QWidget &tabSheet4, QWidget &tabSheet5);

private:
    void buildRows(QWidget &tabSheet4, QWidget &tabSheet5);
    void connectHandlers();
    void connectCandidateBoxes();
    void connectButtons();
    void connectCombo();
    void connectQuickEntry(const QString &order, const QString &votes, const QString &group, bool page1);
    void showState();
    void showCandidateBoxes();
    void showCombo();
    void showParty();

    // Whether a control can take the focus now, as the key tables ask it.
    attachmentkeys::CanFocus focusTest();
    void moveFocus(const QString &target);
    void showPage(QWidget &page);
    // The quick entry's move to the pair of the other page.
    void handOver(const QString &orderBox);
    void comboChanged(int index);
    void quickOrderKey(const QString &order, const QString &votes, int key);
    void quickStoreKey(const QString &order, const QString &votes, int key, bool page1);
    FormDisplay &display();

    District &m_district;
    WindowServices &m_services;
    FocusRouter &m_router;
    PageControl &m_pages;
    QWidget *m_page1 = nullptr;
    QWidget *m_page2 = nullptr;
    QComboBox *m_combo = nullptr;
    bool m_showingCombo = false; // the list follows the state: no change handler then
};
