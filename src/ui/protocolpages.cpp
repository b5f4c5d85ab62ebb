#include "ui/protocolpages.h"

#include "district/protocolentry.h"
#include "model/district.h"
#include "model/pages.h"
#include "store/datamodule.h"
#include "store/form.h"
#include "store/wipe.h"
#include "ui/entrycontrols.h"
#include "ui/focusrouter.h"
#include "ui/formboxcontrols.h"
#include "ui/protocollayout.h"
#include "ui/spokennames.h"
#include "ui/windowservices.h"
#include "ui/wrapbutton.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

using namespace protocollayout;

namespace {

const QString identificationBoxes[] = {"eOBVOD", "eOBEC", "eOKRSOK", "ePOZZV", "ePVO", "ePOO_POSTA", "ePOO", "ePPHS"};

QString partyBox(int n) {
    return QStringLiteral("ePPHPS%1").arg(n);
}

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
    : QObject(&tabSheet1), m_district(district), m_services(services), m_router(router) {
    m_controls.insert(QStringLiteral("TabSheet1"), &tabSheet1);
    m_controls.insert(QStringLiteral("TabSheet2"), &tabSheet2);
    buildPage(tabSheet1);
    connect(&district, &District::changed, this, &ProtocolPages::showState);
}

void ProtocolPages::buildPage(QWidget &page) {
    build(page);
    connectHandlers(page);
    showState();
}

void ProtocolPages::build(QWidget &page) {
    Table &s1 = m_district.TS1();
    SpokenNames names;
    for (const Control &row : controls()) {
        QWidget *parent = m_controls.value(row.parent);
        // The rows of the other page, made when it is built.
        if (!parent || (parent != &page && !page.isAncestorOf(parent)))
            continue;
        QWidget *widget = nullptr;
        switch (row.kind) {
        case Kind::Group:
            widget = new QGroupBox(row.text, parent);
            break;
        case Kind::Label:
        case Kind::Leader: {
            auto *label = new QLabel(parent);
            const QFontMetrics metrics(label->font());
            label->setText(
                row.kind == Kind::Leader
                    ? withLeader(row.text, row.width, [&](const QString &t) { return metrics.horizontalAdvance(t); })
                    : row.text);
            label->setWordWrap(row.wordWrap);
            if (row.centred)
                label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            names.caption(label, row.text);
            widget = label;
            break;
        }
        case Kind::Entry:
        case Kind::Sum: {
            auto *box = new TDBEdit_VQRA01(parent);
            box->bind(s1, row.field);
            box->setMaxLength(row.maxLength ? row.maxLength : s1.schema().fields[s1.fieldIndex(row.field)].width);
            if (row.kind == Kind::Sum) {
                // Tab passes over the sums: entered, they send the focus on into the form, which would
                // lead Tab round in a loop.
                box->setFocusPolicy(Qt::ClickFocus);
                box->setReadOnly(true);
                box->setBackground(colors::skyBlue);
                box->setFocusColor(colors::skyBlue);
                box->setFont(boldFont(box->font()));
                setTextColor(*box, Qt::black);
            } else {
                box->setFocusColor(colors::moneyGreen);
            }
            names.box(box, row.spoken);
            widget = box;
            break;
        }
        case Kind::Display: {
            auto *label = new QLabel(parent);
            Table &temp = m_district.data().TTEMPTLAC();
            const auto show = [label, &temp] {
                label->setText(temp.recordCount() ? temp.text(QStringLiteral("NOBEC")) : QString());
            };
            connect(&temp, &Table::changed, label, show);
            show();
            widget = label;
            break;
        }
        case Kind::Counter: {
            widget = createCounterBox(row.text, parent);
            names.box(widget, row.spoken);
            break;
        }
        case Kind::Button: {
            QPushButton *button = row.wordWrap ? new WrapButton(row.text, parent) : new QPushButton(row.text, parent);
            if (row.bold)
                button->setFont(boldFont(button->font()));
            widget = button;
            break;
        }
        }
        if (row.kind == Kind::Group || row.kind == Kind::Button || row.kind == Kind::Display)
            names.other(widget, row.spoken);
        widget->setGeometry(row.x, row.y, row.width, row.height);
        if (!row.name.isEmpty()) {
            widget->setObjectName(row.name);
            m_controls.insert(row.name, widget);
        }
        if (row.name == QStringLiteral("FormularT12"))
            buildPartyRows(*widget);
    }
}

void ProtocolPages::buildPartyRows(QWidget &group) {
    Table &s1 = m_district.TS1();
    Table &parties = m_district.data().TVQ_KOAL();
    for (int n = 1; n <= form::partyFields; ++n) {
        const PartyRow place = partyRow(n);
        const int captionWidth = place.boxX - place.captionX - 8;
        auto *caption = new QLabel(&group);
        caption->setGeometry(place.captionX, place.captionY - 3, captionWidth, 19);
        auto *box = new TDBEdit_VQRA01(&group);
        box->setObjectName(partyBox(n));
        box->setGeometry(place.boxX, place.boxY, 49, 19);
        box->bind(s1, QStringLiteral("PPHPS%1").arg(n));
        box->setMaxLength(4);
        box->setFocusColor(colors::moneyGreen);
        caption->setBuddy(box);
        m_controls.insert(box->objectName(), box);
        const QString name = n <= form::ballotParties && parties.locate(QStringLiteral("KON"), QString::number(n))
                                 ? parties.text(QStringLiteral("SNKO"))
                                 : QString();
        box->setAccessibleName(name.isEmpty() ? QStringLiteral("Strana %1 – platné hlasy").arg(n)
                                              : QStringLiteral("Strana %1: %2 – platné hlasy").arg(n).arg(name));
        if (n <= form::ballotParties) {
            showPartyCaption(*caption, name, n);
        } else {
            caption->setText(QStringLiteral("Počet platných hlasov odovzdaných pre . . . . . . . . . . . "));
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
        QWidget *control = m_controls.value(name);
        return control && page.isAncestorOf(control) ? control : nullptr;
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
                                           .exit = FocusRouter::exitOnly([&d] { ePPHPS1Exit(d); }),
                                           .keyDown = keys(partyBox(n)),
                                           .store = [&d] { ePPHPS1Exit(d); }});
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

void ProtocolPages::showState() {
    // TabSheet2 not built yet: nothing of it to show.
    if (!m_controls.contains(QStringLiteral("asponhlas")))
        return;
    static_cast<QLineEdit *>(m_controls.value("asponhlas"))->setText(m_district.asponhlas());
    static_cast<QLineEdit *>(m_controls.value("ePocetHlasov"))->setText(m_district.ePocetHlasov());
    for (int n = 1; n <= form::ballotParties; ++n) {
        QWidget *box = m_controls.value(partyBox(n));
        const bool emphasis = m_district.partyEmphasis(n);
        if (box->font().bold() == emphasis)
            continue;
        QFont font = box->font();
        font.setBold(emphasis);
        box->setFont(font);
        setTextColor(*box, emphasis ? colors::boldRed : QColor(Qt::black));
    }
}
