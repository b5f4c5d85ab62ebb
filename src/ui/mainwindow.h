#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class DataModule;
class District;
class FocusRouter;
class PageControl;
class ProtocolPages;
class QScrollArea;
class WindowServices;

// The main window UI: PageControl1 with its seven pages, the pages' controls, and the services through
// which the operations reach the window. The operations themselves work on District.
//
// The protocol pages are built with the window; every other page when it is first shown, or when a
// control on it is first asked for by name, so that the window appears as soon as a bare one would.
class TUI : public QMainWindow {
    Q_OBJECT
public:
    // Makes the window's services once its focus router exists.
    using ServicesMaker = std::function<std::unique_ptr<WindowServices>(QWidget &window, FocusRouter &router)>;

    // Without a maker the services are the real dialogs (WindowServices itself).
    explicit TUI(DataModule &data, const ServicesMaker &makeServices = {}, QWidget *parent = nullptr);
    ~TUI() override;

    District &district() { return *m_district; }
    WindowServices &services() { return *m_services; }
    FocusRouter &router() { return *m_router; }
    PageControl &pages() { return *m_pages; }
    QWidget *page(int index) const;
    // Builds every page not built yet.
    void buildAllPages();

    // Fits the window to a screen area of that size: the form's own size where it fits, else the
    // area, the pages scrolling within it.
    void fitTo(const QSize &available);

    // The font of the window: Tahoma 8 point (11 pixels), or a close sans font where it is missing.
    static QFont windowFont();

protected:
    // Closing keeps the figure being typed, as leaving its box would, and asks nothing.
    void closeEvent(QCloseEvent *event) override;

private:
    struct LazyPages {
        std::vector<int> pages;
        std::function<void()> build;
        bool built = false;
    };

    void buildPages();
    void buildPage(int index);
    void connectPageChanges();
    void followScreen();

    std::unique_ptr<FocusRouter> m_router;
    std::unique_ptr<WindowServices> m_services;
    std::unique_ptr<District> m_district;
    QScrollArea *m_scroll = nullptr;
    PageControl *m_pages = nullptr;
    std::vector<QWidget *> m_pageWidgets;
    std::vector<LazyPages> m_lazyPages;
};
