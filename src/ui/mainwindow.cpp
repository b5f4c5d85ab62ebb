#include "ui/mainwindow.h"

#include "district/attachmentset.h"
#include "district/pagechanges.h"
#include "model/district.h"
#include "model/pages.h"
#include "store/errors.h"
#include "ui/attachmentpages.h"
#include "ui/checkprotocolpage.h"
#include "ui/codelistpage.h"
#include "ui/exportpage.h"
#include "ui/focusrouter.h"
#include "ui/fonts.h"
#include "ui/keypage.h"
#include "ui/keys.h"
#include "ui/pagecontrol.h"
#include "ui/pagetabsaccessible.h"
#include "ui/protocolpages.h"
#include "ui/slovak.h"
#include "ui/windowservices.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QWindow>

namespace {

// Every process that builds the window speaks Slovak in Qt's own dialogs and has both faces of the
// window's font, from its start: Qt builds its font database once, at the first font asked for.
void prepareApplication() {
    registerWindowFonts();
    installSlovak();
    installPageTabsAccessible();
}
Q_COREAPP_STARTUP_FUNCTION(prepareApplication)

struct Page {
    const char *name;
    const char *caption;
};

// In the order of pages::Index.
const Page pageTable[] = {
    {"TabSheet1", "T/12  Časť II."},  {"TabSheet2", "T/12  Časť II. pokr."}, {"TabSheet4", "T/13   1.strana"},
    {"TabSheet5", "T/13   2.strana"}, {"TabSheet6", "Prot. o kontrole"},     {"TabSheet7", "Tlač / Export"},
    {"TabSheet8", "CISELNIKY"},
};
const QSize clientSize(789, 530);

} // namespace

QFont TUI::windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPixelSize(11);
    return font;
}

TUI::TUI(DataModule &data, const ServicesMaker &makeServices, QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("UI"));
    setWindowTitle(programTitle());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(windowFont());

    // The form at its own size within a scroll area: it scrolls only where the screen is smaller.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // It scrolls to the focused control by itself; it never takes the focus.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    auto *client = new QWidget;
    client->setFixedSize(clientSize);
    m_scroll->setWidget(client);
    setCentralWidget(m_scroll);
    m_pages = new PageControl(client);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setGeometry(0, 0, 785, 529);
    m_router = std::make_unique<FocusRouter>(*this, *m_pages);
    m_services = makeServices ? makeServices(*this, *m_router) : std::make_unique<WindowServices>(*this, *m_router);
    m_services->setControlMissing([this] { buildAllPages(); });
    m_router->setErrorHandler([this](const VolbyError &error) { m_services->errorBox(error.message()); });
    m_district = std::make_unique<District>(data, *m_services);
    present(*m_services, showStoredDistrict(*m_district));
    m_services->formDisplay().followVotes(*m_district);
    buildPages();
    connectPageChanges();
    // A control that takes the focus is scrolled into sight, whoever moved the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && m_scroll->widget()->isAncestorOf(now))
            m_scroll->ensureWidgetVisible(now, 8, 8);
    });
    auto *help = new QShortcut(this);
    for (const keys::Row &row : keys::table()) {
        if (row.key == keys::Key::Help)
            help->setKeys({QKeySequence(row.combinations.front())});
    }
    connect(help, &QShortcut::activated, this, [this] { showKeyPage(this); });

    followScreen();
    // The window opens with the focus on the page tabs; Tab leads into eOBVOD.
    m_pages->tabs()->setFocus(Qt::OtherFocusReason);
}

void TUI::closeEvent(QCloseEvent *event) {
    m_router->storeEntered();
    QMainWindow::closeEvent(event);
}

TUI::~TUI() {
    // The router watches the widgets' events to the end; it goes before them.
    m_router.reset();
}

QWidget *TUI::page(int index) const {
    return index >= 0 && index < int(m_pageWidgets.size()) ? m_pageWidgets[index] : nullptr;
}

void TUI::fitTo(const QSize &available) {
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize room = available - frame;
    setFixedSize(clientSize.boundedTo(room.expandedTo(QSize(200, 150))));
}

void TUI::followScreen() {
    const auto fit = [this] {
        if (const QScreen *screen = this->screen()) {
            fitTo(screen->availableGeometry().size());
            move(screen->availableGeometry().center() - rect().center());
        }
    };
    fit();
    if (const QScreen *screen = this->screen())
        connect(screen, &QScreen::availableGeometryChanged, this, fit);
}

void TUI::buildPages() {
    for (const Page &p : pageTable) {
        auto *page = new QWidget;
        page->setObjectName(QString::fromLatin1(p.name));
        // The page in the window's colour, which the boxes' edges stand out against.
        page->setAutoFillBackground(true);
        m_pageWidgets.push_back(page);
    }
    for (int i = 0; i < int(m_pageWidgets.size()); ++i)
        m_pages->addTab(page(i), QString::fromUtf8(pageTable[i].caption));
    m_pages->setTabVisible(pages::CodeLists, false);
    m_pages->setCurrentIndex(pages::Protocol);

    using namespace pages;
    auto *protocol = new ProtocolPages(*m_district, *m_services, *m_router, *page(Protocol), *page(PartyVotes));
    m_lazyPages.push_back({{PartyVotes}, [this, protocol] { protocol->buildPage(*page(PartyVotes)); }});
    m_lazyPages.push_back({{AttachmentFirst, AttachmentSecond}, [this] {
                               new AttachmentPages(*m_district, *m_services, *m_router, *m_pages,
                                                   *page(AttachmentFirst), *page(AttachmentSecond));
                           }});
    m_lazyPages.push_back({{CheckProtocols}, [this] {
                               new CheckProtocolPage(*m_district, m_services->formDisplay(), *page(CheckProtocols));
                           }});
    m_lazyPages.push_back(
        {{PrintExport}, [this] { new ExportPage(*m_district, *m_services, *m_router, *page(PrintExport)); }});
    m_lazyPages.push_back(
        {{CodeLists}, [this] { new CodeListPage(*m_district, *m_services, *m_router, *page(CodeLists)); }});
    connect(m_pages, &QTabWidget::currentChanged, this, &TUI::buildPage);
}

void TUI::buildPage(int index) {
    for (LazyPages &lazy : m_lazyPages) {
        if (lazy.built || std::find(lazy.pages.begin(), lazy.pages.end(), index) == lazy.pages.end())
            continue;
        lazy.built = true;
        lazy.build();
        // Controls made on a page already shown are shown by hand; those hidden on purpose stay hidden.
        for (int i : lazy.pages) {
            if (!page(i)->isVisible())
                continue;
            for (QWidget *child : page(i)->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (!child->testAttribute(Qt::WA_WState_ExplicitShowHide))
                    child->show();
            }
        }
    }
}

void TUI::buildAllPages() {
    for (int i = 0; i < int(m_pageWidgets.size()); ++i)
        buildPage(i);
}

void TUI::connectPageChanges() {
    District &d = *m_district;
    WindowServices &s = *m_services;
    m_router->setPageChangeHandler([&d, &s](int index) { present(s, PageControl1Change(d, index)); });
    // The check is shown before the busy window of the regeneration comes up.
    m_router->setPageHandlers(page(pages::PartyVotes), {.exit = [&d, &s] {
                                  present(s, partyPageCheck(d));
                                  present(s, TabSheet2Exit(d));
                              }});
    // TabSheet4Enter: the focus goes into pVPH whenever it enters the page from outside.
    m_router->setPageHandlers(page(pages::AttachmentFirst), {.enter = [&s] { s.focusBox(FormBox::Vph); }});
}
