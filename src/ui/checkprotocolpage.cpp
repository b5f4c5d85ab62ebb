#include "ui/checkprotocolpage.h"

#include "model/district.h"
#include "ui/formdisplay.h"

#include <QPlainTextEdit>

using layouttable::Control;
using layouttable::Kind;

namespace {

const QString protocol1 = QStringLiteral("Chybový protokol");
const QString protocol2 = QStringLiteral("Chybový protokol z medzitabuľkových kontrol");

// The groups have no names: the memos stand in them by their captions, and are spoken as them.
const std::vector<Control> &rows() {
    using enum layouttable::Style;
    const QString page = QStringLiteral("TabSheet6");
    static const std::vector<Control> list = {
        {Kind::Group, {}, page, protocol1, {}, 8, 8, 761, 241},
        {Kind::Memo, "Protokol1", protocol1, {}, {}, 8, 16, 745, 217, 0, -1, Scrolled, 0, protocol1},
        {Kind::Group, {}, page, protocol2, {}, 8, 256, 761, 233},
        {Kind::Memo, "Protokol2", protocol2, {}, {}, 8, 16, 745, 209, 0, -1, Scrolled, 0, protocol2},
    };
    return list;
}

void showLines(QPlainTextEdit &memo, const Memo &content, bool wrap) {
    const QString text = content.lines.join(u'\n');
    if (memo.toPlainText() != text)
        memo.setPlainText(text);
    memo.setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

} // namespace

CheckProtocolPage::CheckProtocolPage(District &district, FormDisplay &display, QWidget &tabSheet6)
    : FormPages({&tabSheet6}), m_district(district), m_display(display) {
    build(rows(), tabSheet6);
    connect(&district, &District::changed, this, &CheckProtocolPage::showState);
    connect(&display, &FormDisplay::changed, this, &CheckProtocolPage::showState);
    showState();
}

void CheckProtocolPage::showState() {
    const bool wrap = m_display.protocolWrap();
    showLines(*static_cast<QPlainTextEdit *>(control(QStringLiteral("Protokol1"))), m_district.Protokol1(), wrap);
    showLines(*static_cast<QPlainTextEdit *>(control(QStringLiteral("Protokol2"))), m_district.Protokol2(), wrap);
}
