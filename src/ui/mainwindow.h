#pragma once

#include <QMainWindow>

#include <memory>

class DataModule;
class District;
class FocusRouter;
class PageControl;
class ProtocolPages;
class QPlainTextEdit;
class Services;
class WindowServices;

// The main window UI: PageControl1 with its seven pages, the pages' controls, and the services through
// which the operations reach the window. The operations themselves work on District.
class TUI : public QMainWindow {
    Q_OBJECT
public:
    // With a script (tests), the dialogs, sounds and sleeps are the script's; the focus is the window's.
    explicit TUI(DataModule &data, Services *script = nullptr, QWidget *parent = nullptr);
    ~TUI() override;

    District &district() { return *m_district; }
    WindowServices &services() { return *m_services; }
    FocusRouter &router() { return *m_router; }
    PageControl &pages() { return *m_pages; }
    QWidget *page(int index) const;
    // Texts of the general error boxes shown while a script answers the dialogs.
    QStringList errorsShown() const { return m_errorsShown; }

    // The font of the window: Tahoma 8 point (11 pixels), or a close sans font where it is missing.
    static QFont windowFont();

private:
    void buildPages();
    void buildProtocolMemos(QWidget &page);
    void connectPageChanges();
    void showMemos();

    std::unique_ptr<FocusRouter> m_router;
    std::unique_ptr<WindowServices> m_services;
    std::unique_ptr<District> m_district;
    PageControl *m_pages = nullptr;
    ProtocolPages *m_protocolPages = nullptr;
    QPlainTextEdit *m_memo1 = nullptr;
    QPlainTextEdit *m_memo2 = nullptr;
    bool m_scripted = false;
    QStringList m_errorsShown;
};
