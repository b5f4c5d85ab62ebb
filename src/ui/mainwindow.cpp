#include "ui/mainwindow.h"

#include "district/pagechanges.h"
#include "model/district.h"
#include "store/errors.h"
#include "ui/attachmentpages.h"
#include "ui/exchangecontrols.h"
#include "ui/focusrouter.h"
#include "ui/pagecontrol.h"
#include "ui/protocolpages.h"
#include "ui/reportbuttons.h"
#include "ui/windowservices.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

struct Page {
    const char *name;
    const char *caption;
};

// The index of a page is what the page-change rules use; TabSheet8 has no tab.
const Page pageTable[] = {
    {"TabSheet1", "T/12  Časť II."},  {"TabSheet2", "T/12  Časť II. pokr."}, {"TabSheet4", "T/13   1.strana"},
    {"TabSheet5", "T/13   2.strana"}, {"TabSheet6", "Prot. o kontrole"},     {"TabSheet7", "Tlač / Export"},
    {"TabSheet8", "CISELNIKY"},
};
constexpr int hiddenPage = 6;

void showLines(QPlainTextEdit &memo, const Memo &content) {
    const QString text = content.lines.join(u'\n');
    if (memo.toPlainText() != text)
        memo.setPlainText(text);
    memo.setLineWrapMode(content.wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

} // namespace

QFont TUI::windowFont() {
    static const bool loaded = [] {
        const bool regular = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")) >= 0;
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
        return regular;
    }();
    Q_UNUSED(loaded);
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPixelSize(11);
    return font;
}

TUI::TUI(DataModule &data, Services *script, QWidget *parent) : QMainWindow(parent), m_scripted(script != nullptr) {
    setObjectName(QStringLiteral("UI"));
    setWindowTitle(QStringLiteral("Voľby do VQRA 2006"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setFixedSize(789, 530);

    auto *client = new QWidget(this);
    setCentralWidget(client);
    m_pages = new PageControl(client);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setGeometry(0, 0, 785, 529);
    m_router = std::make_unique<FocusRouter>(*this, *m_pages);
    m_services = std::make_unique<WindowServices>(*this, *m_router, script);
    m_router->setErrorHandler([this](const VolbyError &error) {
        if (m_scripted)
            m_errorsShown.append(error.message());
        m_services->errorBox(error.message());
    });
    m_district = std::make_unique<District>(data, *m_services);
    buildPages();
    connectPageChanges();
    buildPrintGroup(*this);

    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // The window opens with the focus on the page tabs; Tab leads into eOBVOD.
    m_pages->tabs()->setFocus(Qt::OtherFocusReason);
}

TUI::~TUI() {
    // The router watches the widgets' events to the end; it goes before them.
    m_router.reset();
}

QWidget *TUI::page(int index) const {
    return m_pages->widget(index);
}

void TUI::buildPages() {
    for (const Page &p : pageTable) {
        auto *page = new QWidget;
        page->setObjectName(QString::fromLatin1(p.name));
        m_pages->addTab(page, QString::fromUtf8(p.caption));
    }
    m_pages->setTabVisible(hiddenPage, false);
    m_pages->setCurrentIndex(0);
    m_protocolPages = new ProtocolPages(*m_district, *m_router, *page(0), *page(1));
    new AttachmentPages(*m_district, *m_router, *m_pages, *page(2), *page(3));
    buildProtocolMemos(*page(4));
    buildExchangeControls(*page(5), *page(6), *m_district, *m_router);
}

void TUI::buildProtocolMemos(QWidget &page) {
    struct MemoPlace {
        const char *name, *caption;
        int y, groupHeight, memoHeight;
    };
    const MemoPlace places[] = {{"Protokol1", "Chybový protokol", 8, 241, 217},
                                {"Protokol2", "Chybový protokol z medzitabuľkových kontrol", 256, 233, 209}};
    QPlainTextEdit **memos[] = {&m_memo1, &m_memo2};
    for (int i = 0; i < 2; ++i) {
        auto *group = new QGroupBox(QString::fromUtf8(places[i].caption), &page);
        group->setGeometry(8, places[i].y, 761, places[i].groupHeight);
        auto *memo = new QPlainTextEdit(group);
        memo->setObjectName(QString::fromLatin1(places[i].name));
        memo->setGeometry(8, 16, 745, places[i].memoHeight);
        memo->setReadOnly(true);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        *memos[i] = memo;
    }
    connect(m_district.get(), &District::changed, this, &TUI::showMemos);
    showMemos();
}

void TUI::showMemos() {
    showLines(*m_memo1, m_district->Protokol1());
    showLines(*m_memo2, m_district->Protokol2());
}

void TUI::connectPageChanges() {
    District &d = *m_district;
    m_router->setPageChangeHandler([&d](int index) { PageControl1Change(d, index); });
    m_router->setPageHandlers(page(1), {.exit = [&d] { TabSheet2Exit(d); }});
    // TabSheet4Enter: the focus goes into pVPH whenever it enters the page from outside.
    m_router->setPageHandlers(page(2), {.enter = [&d] { d.services().focus(QStringLiteral("pVPH")); }});
}
