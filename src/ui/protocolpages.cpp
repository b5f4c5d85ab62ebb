#include "ui/protocolpages.h"

#include "district/protocolentry.h"
#include "model/district.h"
#include "model/pages.h"
#include "store/datamodule.h"
#include "store/form.h"
#include "store/wipe.h"
#include "ui/controlfactory.h"
#include "ui/entrycontrols.h"
#include "ui/focusrouter.h"
#include "ui/formboxcontrols.h"
#include "ui/protocollayout.h"
#include "ui/windowservices.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

using namespace protocollayout;

namespace {

const QString identificationBoxes[] = {"eOBVOD", "eOBEC", "eOKRSOK", "ePOZZV", "ePVO", "ePOO_POSTA", "ePOO", "ePPHS"};

QString partyBox(int n) {
    return QStringLiteral("ePPHPS%1").arg(n);
}

// The emphasis of a party's votes.
void setTextColor(QWidget &widget, const QColor &color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget.setPalette(palette);
}

QFont boldFont(const QFont &base, int pointSize = 0) {
    QFont font = base;
    font.setBold(true);
    if (pointSize)
        font.setPointSize(pointSize);
    return font;
}

} // namespace

ProtocolPages::ProtocolPages(District &district, WindowServices &services, FocusRouter &router, QWidget &tabSheet1,
                             QWidget &tabSheet2)
    : FormPages({&tabSheet1, &tabSheet2}), m_district(district), m_services(services), m_router(router) {
    buildPage(tabSheet1);
    connect(&district, &District::changed, this, &ProtocolPages::showState);
    connect(&services.formDisplay(), &FormDisplay::changed, this, &ProtocolPages::showState);
}

void ProtocolPages::buildPage(QWidget &page) {
    buildRows(page);
    connectHandlers(page);
    showState();
}

void ProtocolPages::buildRows(QWidget &page) {
    // The boxes show S1; the display the name of the municipality, from TEMP_TLAC.
    build(allControls(), page, [this](const Control &row) -> Table & {
        return row.kind == Kind::Display ? m_district.data().TTEMPTLAC() : m_district.TS1();
    });
    if (QWidget *group = control(QStringLiteral("FormularT12")); group && page.isAncestorOf(group))
        showParties(*group);
}

void ProtocolPages::showParties(QWidget &group) {
    // Each box's caption is the label whose buddy it is.
    QHash<QWidget *, QLabel *> captions;
    for (QLabel *label : group.findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        captions.insert(label->buddy(), label);
    Table &parties = m_district.data().TVQ_KOAL();
    for (int n = 1; n <= form::partyFields; ++n) {
        auto *box = static_cast<TDBEdit_VQRA01 *>(control(partyBox(n)));
        QLabel *caption = captions.value(box);
        const QString name = n <= form::ballotParties && parties.locate(QStringLiteral("KON"), QString::number(n))
                                 ? parties.text(QStringLiteral("SNKO"))
                                 : QString();
        box->setAccessibleName(name.isEmpty() ? QStringLiteral("Strana %1 – platné hlasy").arg(n)
                                              : QStringLiteral("Strana %1: %2 – platné hlasy").arg(n).arg(name));
        if (n <= form::ballotParties) {
            showPartyCaption(*caption, name, n);
        } else {
            caption->hide();
            box->setBackground(colors::silver);
            box->setEnabled(false);
            box->hide();
        }
    }
}

void ProtocolPages::showPartyCaption(QLabel &caption, const QString &name, int n) {
    // The ballot's short name, a dot leader, and the ballot number at the end: in 11 point bold, or
    // smaller where a long name would not fit whole. The width of a text goes with the font's size, so
    // the size is found from one measure (each size tried costs a font of its own).
    const QString number = QString::number(n);
    QFont font = boldFont(caption.font(), 11);
    const auto needed = [&](const QFontMetrics &m) {
        return m.horizontalAdvance(name + QStringLiteral(" . ") + number);
    };
    const int wide = needed(QFontMetrics(font));
    if (wide > caption.width())
        font.setPointSize(std::max(6, 11 * caption.width() / wide));
    while (font.pointSize() > 6 && needed(QFontMetrics(font)) > caption.width())
        font.setPointSize(font.pointSize() - 1);
    const QFontMetrics metrics(font);
    const auto width = [&](const QString &t) { return metrics.horizontalAdvance(t); };
    caption.setFont(font);
    caption.setText(withLeader(name, caption.width() - width(number), width) + number);
}

void ProtocolPages::moveFocus(const QString &target) {
    if (!target.isEmpty())
        m_services.focus(target);
}

void ProtocolPages::connectHandlers(QWidget &page) {
    District &d = m_district;
    // The controls of the page just built; those of the other page are connected with it.
    const auto on = [&](const QString &name) -> QWidget * {
        QWidget *found = control(name);
        return found && page.isAncestorOf(found) ? found : nullptr;
    };
    const auto keys = [this](const QString &box) { return [this, box](int key) { moveFocus(keyTarget(box, key)); }; };
    for (const QString &box : identificationBoxes) {
        if (QWidget *control = on(box))
            m_router.setHandlers(
                control,
                {.enter = [&d] { eOBVODEnter(d); },
                 .exit = [this, &d, box] { return m_services.presentExit(protocolBoxExit(d, formBoxOf(box))); },
                 .keyDown = keys(box),
                 .store = [&d] { protocolBoxStore(d); }});
    }
    for (int n = 1; n <= form::partyFields; ++n) {
        if (QWidget *control = on(partyBox(n)))
            m_router.setHandlers(control, {.enter = [&d] { eOBVODEnter(d); },
                                           .exit = FocusRouter::exitOnly([this] { partyBoxExit(); }),
                                           .keyDown = keys(partyBox(n)),
                                           .store = [this] { partyBoxExit(); }});
    }
    // The sum boxes pass the focus on in the order of the form.
    const std::pair<const char *, const char *> sums[] = {
        {"eKC1", "ePOZZV"}, {"eKC2", "NaStranu2"}, {"eKC3", "NaStranu3"}};
    for (const auto &[sum, next] : sums) {
        if (QWidget *control = on(sum))
            m_router.setHandlers(control, {.enter = [this, next = next] { moveFocus(next); }});
    }

    const auto pageUp = [this](const char *target) {
        return [this, target](int key) {
            if (key == Qt::Key_PageUp)
                moveFocus(target);
        };
    };
    const auto button = [&](const char *name, const char *pageUpTarget, std::function<void()> click) {
        auto *control = static_cast<QPushButton *>(on(name));
        if (!control)
            return;
        if (pageUpTarget)
            m_router.setHandlers(control, {.keyDown = pageUp(pageUpTarget)});
        connect(control, &QPushButton::clicked, this, [this, click] { m_router.run(click); });
    };
    // NaStranu2 changes the page as the user would; NaStranu3 as the program does.
    button("NaStranu2", "eOBVOD", [this] { m_router.changePage(pages::PartyVotes, true); });
    button("NaStranu3", "ePPHPS1", [this] { m_router.changePage(pages::AttachmentFirst, false); });
    button("Button11", nullptr, [this] { Button11Click(); });
}

void ProtocolPages::Button11Click() {
    if (m_services.zobraz_spravu(QStringLiteral("Naozaj chcete vymazať databázu?"), Services::Warning,
                                 Services::Yes | Services::No) != Services::ResultYes)
        return;
    vymaz_databazu(m_district.data());
    m_services.focusBox(FormBox::Obvod);
}

void ProtocolPages::partyBoxExit() {
    present(m_services, ePPHPS1Exit(m_district));
}

void ProtocolPages::showState() {
    // TabSheet2 not built yet: nothing of it to show.
    if (!control(QStringLiteral("asponhlas")))
        return;
    static_cast<QLineEdit *>(control("asponhlas"))->setText(m_district.asponhlas());
    static_cast<QLineEdit *>(control("ePocetHlasov"))->setText(m_district.ePocetHlasov());
    for (int n = 1; n <= form::ballotParties; ++n) {
        QWidget *box = control(partyBox(n));
        const bool emphasis = m_services.formDisplay().partyEmphasis(n);
        if (box->font().bold() == emphasis)
            continue;
        QFont font = box->font();
        font.setBold(emphasis);
        box->setFont(font);
        setTextColor(*box, emphasis ? colors::boldRed : QColor(Qt::black));
    }
}
