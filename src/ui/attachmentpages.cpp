#include "ui/attachmentpages.h"

#include "district/attachmentset.h"
#include "district/candidateentry.h"
#include "model/decimalvalue.h"
#include "model/district.h"
#include "store/form.h"
#include "store/table.h"
#include "ui/attachmentkeys.h"
#include "ui/attachmentlayout.h"
#include "ui/controlfactory.h"
#include "ui/entrycontrols.h"
#include "ui/focusrouter.h"
#include "ui/formdisplay.h"
#include "ui/pagecontrol.h"
#include "ui/windowservices.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <functional>
#include <map>

using attachmentlayout::Control;

namespace {

const QString zeroQuestion = QStringLiteral("Naozaj chcete vymazať prílohu pre celú pol. stranu?");

// Enter and Down move on in the quick entry.
bool storesQuickEntry(int key) {
    const attachmentkeys::Key k = attachmentkeys::keyOf(key);
    return k == attachmentkeys::Key::Enter || k == attachmentkeys::Key::Down;
}

// The party's name in the largest bold font, up to the layout's size, whose wrapped lines fit the label:
// the code list's short names run up to 60 characters.
void showFitted(QLabel &label, const QString &text) {
    const int maxPixels = fittedPixels(label);
    QFont font = label.font();
    for (int pixels = maxPixels; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, label.width(), 10000),
                                                             Qt::AlignCenter | Qt::TextWordWrap, text);
        if (needed.height() <= label.height() && needed.width() <= label.width())
            break;
    }
    label.setFont(font);
    label.setText(text);
}

// The quick-choice list in the window's font, or in a smaller one where its text or its longest item
// would not fit the box whole.
void fitComboFont(QComboBox &combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = true;
    const int room =
        combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo).width() - 4;
    QStringList texts = {combo.currentText()};
    for (int i = 0; i < combo.count(); ++i)
        texts.append(combo.itemText(i));
    QFont font = combo.font();
    for (int pixels = QFontInfo(combo.window()->font()).pixelSize(); pixels > 7; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (std::all_of(texts.begin(), texts.end(),
                        [&](const QString &t) { return metrics.horizontalAdvance(t) <= room; }))
            break;
    }
    if (font != combo.font())
        combo.setFont(font);
}

} // namespace

AttachmentPages::AttachmentPages(District &district, WindowServices &services, FocusRouter &router, PageControl &pages,
                                 QWidget &tabSheet4, QWidget &tabSheet5)
    : FormPages({&tabSheet4, &tabSheet5}), m_district(district), m_services(services), m_router(router), m_pages(pages),
      m_page1(&tabSheet4), m_page2(&tabSheet5) {
    buildRows(tabSheet4, tabSheet5);
    connectHandlers();
    connect(&district, &District::changed, this, &AttachmentPages::showState);
    connect(&display(), &FormDisplay::changed, this, &AttachmentPages::showState);
    showState();
}

FormDisplay &AttachmentPages::display() {
    return m_services.formDisplay();
}

void AttachmentPages::buildRows(QWidget &tabSheet4, QWidget &tabSheet5) {
    const std::vector<Control> rows = attachmentlayout::allControls();
    for (QWidget *page : {&tabSheet4, &tabSheet5})
        build(rows, *page, [this](const Control &) -> Table & { return m_district.TP1(); });
    m_combo = qobject_cast<QComboBox *>(control(QStringLiteral("Combo_RychlaVolba")));
}

attachmentkeys::CanFocus AttachmentPages::focusTest() {
    return [this](const QString &name) { return m_services.canFocus(name); };
}

void AttachmentPages::moveFocus(const QString &target) {
    if (!target.isEmpty())
        m_services.focus(target);
}

void AttachmentPages::showPage(QWidget &page) {
    m_router.changePage(m_pages.indexOf(&page), false);
}

void AttachmentPages::handOver(const QString &orderBox) {
    // The focus goes straight to the other page's order-number box, no candidate box entered on the way.
    // Entering page 1 sends it into pVPH (TabSheet4Enter); the quick entry then takes it back.
    moveFocus(orderBox);
    if (!control(orderBox)->hasFocus())
        moveFocus(orderBox);
}

void AttachmentPages::connectHandlers() {
    const attachmentkeys::CanFocus canFocus = focusTest();
    const auto keyMove = [this, canFocus](const QString &name) {
        return [this, canFocus, name](int key) {
            const int count = decimalValue(m_district.EPocKand());
            const bool gridShown = !control(QStringLiteral("GroupBox3"))->isHidden();
            moveFocus(attachmentkeys::keyTarget(name, attachmentkeys::keyOf(key), count, gridShown, canFocus));
        };
    };
    for (const QString &name : {QStringLiteral("pOBVOD"), QStringLiteral("pOBEC"), QStringLiteral("pOKRSOK")})
        m_router.setHandlers(control(name), {.enter = [this] { present(m_services, pOBVODEnter(m_district)); },
                                             .exit = {},
                                             .keyDown = keyMove(name),
                                             .keyUp = {}});
    m_router.setHandlers(control(QStringLiteral("pVPH")),
                         {.enter = [this] { present(m_services, pOBVODEnter(m_district)); },
                          .exit = [this] { return m_services.presentExit(pVPHExit(m_district)); },
                          .keyDown = keyMove(QStringLiteral("pVPH")),
                          .keyUp = {},
                          .store = [this] { storeAttachment(m_district); }});
    // The sum boxes never keep the focus.
    for (int k = 1; k <= 5; ++k) {
        const QString name = QStringLiteral("ePKC") + QString::number(k);
        m_router.setHandlers(
            control(name),
            {.enter = [this, canFocus, name] { moveFocus(attachmentkeys::sumBoxTarget(name, canFocus)); },
             .exit = {},
             .keyDown = {},
             .keyUp = {}});
    }
    for (const QString &name : {QStringLiteral("dalsia_strana"), QStringLiteral("Button15"), QStringLiteral("Button8")})
        m_router.setHandlers(control(name), {.enter = {}, .exit = {}, .keyDown = keyMove(name), .keyUp = {}});
    connectCandidateBoxes();
    connectButtons();
    connectCombo();
    connectQuickEntry(QStringLiteral("RVUPor"), QStringLiteral("RVUPoc"), QStringLiteral("GroupBox10"), true);
    connectQuickEntry(QStringLiteral("RVUPor2"), QStringLiteral("RVUPoc2"), QStringLiteral("GroupBox11"), false);
}

void AttachmentPages::connectCandidateBoxes() {
    const attachmentkeys::CanFocus canFocus = focusTest();
    for (int n = 1; n <= form::candidates; ++n) {
        const QString name = attachmentkeys::candidateBox(n);
        m_router.setHandlers(control(name), {.enter = [this, n] { present(m_services, pK1Enter(m_district, n)); },
                                             .exit = [this] { return m_services.presentExit(pK1Exit(m_district)); },
                                             .keyDown =
                                                 [this, canFocus, name](int key) {
                                                     const int count = decimalValue(m_district.EPocKand());
                                                     moveFocus(attachmentkeys::keyTarget(
                                                         name, attachmentkeys::keyOf(key), count, true, canFocus));
                                                 },
                                             .keyUp =
                                                 [this, canFocus, name](int key) {
                                                     if (attachmentkeys::keyOf(key) == attachmentkeys::Key::QuickEntry)
                                                         moveFocus(attachmentkeys::f10Target(name, canFocus));
                                                 },
                                             .store = [this] { storeAttachment(m_district); }});
    }
}

void AttachmentPages::connectButtons() {
    const auto onClick = [this](const QString &name, std::function<void()> operation) {
        auto *button = qobject_cast<QPushButton *>(control(name));
        connect(button, &QPushButton::clicked, this, [this, operation] { m_router.run(operation); });
    };
    onClick(QStringLiteral("DoPredu"), [this] { present(m_services, DoPreduClick(m_district)); });
    onClick(QStringLiteral("DoZadu"), [this] { present(m_services, DoZaduClick(m_district)); });
    // Page 2's buttons show page 1 whatever the gate decided.
    onClick(QStringLiteral("Button15"), [this] {
        present(m_services, DoPreduClick(m_district));
        showPage(*m_page1);
    });
    onClick(QStringLiteral("Button8"), [this] {
        present(m_services, DoZaduClick(m_district));
        showPage(*m_page1);
    });
    onClick(QStringLiteral("dalsia_strana"), [this] { showPage(*m_page2); });
    onClick(QStringLiteral("Button12"), [this] { showPage(*m_page1); });
    onClick(QStringLiteral("Button2"), [this] {
        if (m_services.zobraz_spravu(zeroQuestion, Services::Warning, Services::Yes | Services::No) ==
            Services::ResultYes)
            present(m_services, VymazPolStranu(m_district));
    });
}

void AttachmentPages::connectCombo() {
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_showingCombo)
            comboChanged(index);
    });
    // Typing into the list's text is a change too: the text stays the user's, and names the item it
    // matches exactly, if any.
    connect(m_combo->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        display().setQuickChoiceText(text);
        comboChanged(m_combo->findText(text, Qt::MatchExactly));
    });
}

void AttachmentPages::comboChanged(int index) {
    display().selectQuickChoice(index);
    m_router.run([this, index] { present(m_services, Combo_RychlaVolbaChange(m_district, index)); });
    // A refused choice, or an error on the way: the list shows what the state says.
    showCombo();
}

void AttachmentPages::connectQuickEntry(const QString &order, const QString &votes, const QString &group, bool page1) {
    const attachmentkeys::CanFocus canFocus = focusTest();
    const auto f10 = [this, canFocus](const QString &name) {
        return [this, canFocus, name](int key) {
            if (attachmentkeys::keyOf(key) == attachmentkeys::Key::QuickEntry)
                moveFocus(attachmentkeys::f10Target(name, canFocus));
        };
    };
    for (const QString &name : {order, votes}) {
        auto *box = static_cast<TAlignEdit *>(control(name));
        FocusRouter::Handlers handlers{.enter = [box] { box->setBackground(colors::skyBlue); },
                                       .exit = FocusRouter::exitOnly([box] { box->setBackground(colors::window); }),
                                       .keyDown = {},
                                       .keyUp = f10(name)};
        if (name == order)
            handlers.keyDown = [this, order, votes](int key) { quickOrderKey(order, votes, key); };
        else
            handlers.keyDown = [this, order, votes, page1](int key) { quickStoreKey(order, votes, key, page1); };
        m_router.setHandlers(box, handlers);
    }
    // Leaving the group ends the cycle: both boxes emptied. The window losing its activation to a dialog
    // or the busy window (no focus widget then) is no leaving.
    QWidget *groupBox = control(group);
    connect(qApp, &QApplication::focusChanged, this, [this, groupBox, order, votes](QWidget *old, QWidget *now) {
        if (!old || !groupBox->isAncestorOf(old) || !now || groupBox->isAncestorOf(now))
            return;
        for (const QString &name : {order, votes}) {
            auto *box = static_cast<TAlignEdit *>(control(name));
            box->clear();
            box->setBackground(colors::window);
        }
    });
}

void AttachmentPages::quickOrderKey(const QString &order, const QString &votes, int key) {
    if (!storesQuickEntry(key))
        return;
    auto *orderBox = static_cast<QLineEdit *>(control(order));
    moveFocus(votes);
    QString text = orderBox->text();
    Outcome refusal;
    const bool accepted = quickOrderNumberAccepted(m_district, text, refusal);
    present(m_services, refusal);
    orderBox->setText(text);
    if (!accepted)
        moveFocus(order);
}

void AttachmentPages::quickStoreKey(const QString &order, const QString &votes, int key, bool page1) {
    if (!storesQuickEntry(key))
        return;
    auto *orderBox = static_cast<QLineEdit *>(control(order));
    auto *votesBox = static_cast<QLineEdit *>(control(votes));
    moveFocus(order);
    QString text = votesBox->text();
    Outcome emphasis;
    const int candidate = quickStore(m_district, orderBox->text(), text, emphasis);
    present(m_services, emphasis);
    votesBox->setText(text);
    // The candidate's box stands on the other page: its pair takes over.
    if (page1 && candidate > form::candidatesOnFirstPage)
        handOver(QStringLiteral("RVUPor2"));
    else if (!page1 && candidate <= form::candidatesOnFirstPage)
        handOver(QStringLiteral("RVUPor"));
    orderBox->clear();
    votesBox->clear();
}

void AttachmentPages::showState() {
    const bool noVotes = display().noVotes();
    control(QStringLiteral("GroupBox3"))->setHidden(noVotes);
    control(QStringLiteral("GroupBox4"))->setHidden(noVotes);
    control(QStringLiteral("DoZadu"))->setEnabled(!noVotes);
    control(QStringLiteral("DoPredu"))->setEnabled(!noVotes);
    static_cast<QCheckBox *>(control(QStringLiteral("K14_OK")))->setChecked(m_district.K14_OK());
    static_cast<QCheckBox *>(control(QStringLiteral("K15_OK")))->setChecked(m_district.K15_OK());
    static_cast<QLineEdit *>(control(QStringLiteral("pknumber")))->setText(m_district.pknumber());
    showParty();
    showCombo();
    showCandidateBoxes();
}

void AttachmentPages::showParty() {
    for (const QString &name : {QStringLiteral("Label13"), QStringLiteral("Label13_2")})
        static_cast<QLabel *>(control(name))->setText(display().counter());
    for (const QString &name : {QStringLiteral("NazovKoal"), QStringLiteral("NazovKoal_2")}) {
        auto *label = static_cast<QLabel *>(control(name));
        if (label->text() != display().partyName())
            showFitted(*label, display().partyName());
    }
    static_cast<QLineEdit *>(control(QStringLiteral("EPocKand")))->setText(display().partyCount());
}

void AttachmentPages::showCombo() {
    m_showingCombo = true;
    const QStringList items = display().quickChoiceItems();
    QStringList shown;
    for (int i = 0; i < m_combo->count(); ++i)
        shown.append(m_combo->itemText(i));
    if (shown != items) {
        m_combo->clear();
        m_combo->addItems(items);
    }
    if (m_combo->currentIndex() != display().quickChoiceIndex())
        m_combo->setCurrentIndex(display().quickChoiceIndex());
    if (m_combo->currentText() != display().quickChoiceText())
        m_combo->setEditText(display().quickChoiceText());
    fitComboFont(*m_combo);
    // A text wider than the box is shown from its start, not from where the cursor ended.
    if (!m_combo->hasFocus())
        m_combo->lineEdit()->setCursorPosition(0);
    m_showingCombo = false;
}

void AttachmentPages::showCandidateBoxes() {
    const int enabled = display().enabledCandidates();
    control(QStringLiteral("dalsia_strana"))->setEnabled(enabled > form::candidatesOnFirstPage);
    for (int n = 1; n <= form::candidates; ++n) {
        auto *box = static_cast<TDBEdit_VQRA01 *>(control(attachmentkeys::candidateBox(n)));
        const bool on = n <= enabled;
        if (box->isEnabled() != on) {
            box->setEnabled(on);
            box->setBackground(on ? colors::window : colors::silver);
        }
        const bool emphasised = display().candidateEmphasis(n);
        if (box->font().bold() != emphasised) {
            QFont font = box->font();
            font.setBold(emphasised);
            box->setFont(font);
            QPalette palette = box->palette();
            palette.setColor(QPalette::Text, emphasised ? colors::boldRed : QColor(Qt::black));
            box->setPalette(palette);
        }
    }
}
