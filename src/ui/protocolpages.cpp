#include "ui/protocolpages.h"

#include "district/protocolentry.h"
#include "model/district.h"
#include "model/services.h"
#include "store/datamodule.h"
#include "store/wipe.h"
#include "ui/entrycontrols.h"
#include "ui/focusrouter.h"
#include "ui/protocollayout.h"
#include "ui/wrapbutton.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>

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

ProtocolPages::ProtocolPages(District &district, FocusRouter &router, QWidget &tabSheet1, QWidget &tabSheet2)
    : QObject(&tabSheet1), m_district(district), m_router(router) {
    build(tabSheet1, tabSheet2);
    connectHandlers();
    showState();
    connect(&district, &District::changed, this, &ProtocolPages::showState);
}

void ProtocolPages::build(QWidget &tabSheet1, QWidget &tabSheet2) {
    m_controls.insert(QStringLiteral("TabSheet1"), &tabSheet1);
    m_controls.insert(QStringLiteral("TabSheet2"), &tabSheet2);
    Table &s1 = m_district.TS1();
    for (const Control &row : controls()) {
        QWidget *parent = m_controls.value(row.parent);
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
            widget = label;
            break;
        }
        case Kind::Entry:
        case Kind::Sum: {
            auto *box = new TDBEdit_VQRA01(parent);
            box->bind(s1, row.field);
            box->setMaxLength(row.maxLength ? row.maxLength : s1.schema().fields[s1.fieldIndex(row.field)].width);
            if (row.kind == Kind::Sum) {
                box->setReadOnly(true);
                box->setBackground(colors::skyBlue);
                box->setFocusColor(colors::skyBlue);
                box->setFont(boldFont(box->font()));
                setTextColor(*box, Qt::black);
            } else {
                box->setFocusColor(colors::moneyGreen);
            }
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
    const QFont captionFont = boldFont(group.font(), 11);
    const QFontMetrics metrics(captionFont);
    const auto width = [&](const QString &t) { return metrics.horizontalAdvance(t); };
    for (int n = 1; n <= partyRows; ++n) {
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
        m_controls.insert(box->objectName(), box);
        if (n <= partiesInUse) {
            // The ballot's short name, a dot leader, and the ballot number at the end.
            const QString name = parties.locate(QStringLiteral("KON"), QString::number(n))
                                     ? parties.text(QStringLiteral("SNKO"))
                                     : QString();
            const QString number = QString::number(n);
            const int room = captionWidth - width(number);
            caption->setFont(captionFont);
            caption->setText(
                withLeader(metrics.elidedText(name, Qt::ElideRight, room - width(QStringLiteral(" . "))), room, width) +
                number);
        } else {
            caption->setText(QStringLiteral("Počet platných hlasov odovzdaných pre . . . . . . . . . . . "));
            caption->hide();
            box->setBackground(colors::silver);
            box->setEnabled(false);
            box->hide();
        }
    }
}

void ProtocolPages::moveFocus(const QString &target) {
    if (!target.isEmpty())
        m_district.services().focus(target);
}

void ProtocolPages::connectHandlers() {
    District &d = m_district;
    const auto keys = [this](const QString &box) { return [this, box](int key) { moveFocus(keyTarget(box, key)); }; };
    for (const QString &box : identificationBoxes) {
        m_router.setHandlers(
            m_controls.value(box),
            {.enter = [&d] { eOBVODEnter(d); }, .exit = [&d, box] { protocolBoxExit(d, box); }, .keyDown = keys(box)});
    }
    for (int n = 1; n <= partyRows; ++n) {
        m_router.setHandlers(
            m_controls.value(partyBox(n)),
            {.enter = [&d] { eOBVODEnter(d); }, .exit = [&d] { ePPHPS1Exit(d); }, .keyDown = keys(partyBox(n))});
    }
    // The sum boxes pass the focus on in the order of the form.
    const std::pair<const char *, const char *> sums[] = {
        {"eKC1", "ePOZZV"}, {"eKC2", "NaStranu2"}, {"eKC3", "NaStranu3"}};
    for (const auto &[sum, next] : sums)
        m_router.setHandlers(m_controls.value(sum), {.enter = [this, next = next] { moveFocus(next); }});

    const auto pageUp = [this](const char *target) {
        return [this, target](int key) {
            if (key == Qt::Key_PageUp)
                moveFocus(target);
        };
    };
    m_router.setHandlers(m_controls.value("NaStranu2"), {.keyDown = pageUp("eOBVOD")});
    m_router.setHandlers(m_controls.value("NaStranu3"), {.keyDown = pageUp("ePPHPS1")});
    const auto clicked = [this](const char *button, std::function<void()> handler) {
        connect(static_cast<QPushButton *>(m_controls.value(button)), &QPushButton::clicked, this,
                [this, handler] { m_router.run(handler); });
    };
    // NaStranu2 changes the page as the user would; NaStranu3 as the program does.
    clicked("NaStranu2", [this] { m_router.changePage(1, true); });
    clicked("NaStranu3", [this] { m_router.changePage(2, false); });
    clicked("Button11", [this] { Button11Click(); });
}

void ProtocolPages::Button11Click() {
    Services &services = m_district.services();
    if (services.zobraz_spravu(QStringLiteral("Naozaj chcete vymazať databázu?"), Services::Warning,
                               Services::Yes | Services::No) != Services::ResultYes)
        return;
    vymaz_databazu(m_district.data());
    services.focus(QStringLiteral("eOBVOD"));
}

void ProtocolPages::showState() {
    static_cast<QLineEdit *>(m_controls.value("asponhlas"))->setText(m_district.asponhlas());
    static_cast<QLineEdit *>(m_controls.value("ePocetHlasov"))->setText(m_district.ePocetHlasov());
    for (int n = 1; n <= partiesInUse; ++n) {
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
