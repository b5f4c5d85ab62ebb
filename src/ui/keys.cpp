#include "ui/keys.h"

namespace keys {

const std::vector<Row> &table() {
    static const std::vector<Row> rows = {
        {{Qt::Key_Return, Qt::Key_Enter},
         Key::Enter,
         "Enter",
         "ďalšie políčko v poradí papierového tlačiva; z posledného políčka tlačidlo ďalšej strany. V rýchlom "
         "vkladaní z poradového čísla na počet hlasov a z počtu hlasov uloženie"},
        {{Qt::Key_Down}, Key::Down, "Šípka nadol", "ako Enter"},
        {{Qt::Key_Up}, Key::Up, "Šípka nahor", "predchádzajúce políčko"},
        {{Qt::Key_PageDown}, Key::PageDown, "Page Down", "koniec bloku; z identifikačnej časti prvé políčko pod ňou"},
        {{Qt::Key_PageUp}, Key::PageUp, "Page Up", "začiatok strany alebo bloku"},
        {{Qt::Key_F10}, Key::QuickEntry, "F10", "na stranách prílohy z kandidátov do rýchleho vkladania údajov a späť"},
        {{Qt::Key_Tab}, Key::Other, "Tab", "ďalší ovládací prvok strany"},
        {{Qt::ShiftModifier | Qt::Key_Backtab, Qt::Key_Backtab},
         Key::Other,
         "Shift+Tab",
         "predchádzajúci ovládací prvok strany"},
        {{Qt::ControlModifier | Qt::Key_Tab}, Key::NextPage, "Ctrl+Tab", "ďalšia strana"},
        {{Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Backtab, Qt::ControlModifier | Qt::Key_Backtab},
         Key::PreviousPage,
         "Ctrl+Shift+Tab",
         "predchádzajúca strana"},
        {{Qt::Key_F1}, Key::Help, "F1", "táto stránka kláves"},
    };
    return rows;
}

Key keyOf(QKeyCombination combination) {
    // Only Ctrl and Shift tell keys apart; the keypad flag of Enter and the others do not.
    const QKeyCombination plain(combination.keyboardModifiers() & (Qt::ControlModifier | Qt::ShiftModifier),
                                combination.key());
    for (const Row &row : table()) {
        for (const QKeyCombination &c : row.combinations) {
            if (c == plain)
                return row.key;
        }
    }
    // A key with Shift alone means what it means without.
    if (plain.keyboardModifiers() == Qt::ShiftModifier)
        return keyOf(QKeyCombination(Qt::NoModifier, plain.key()));
    return Key::Other;
}

QString keyPageHtml() {
    QString html = QStringLiteral("<h3>Klávesy</h3><table cellspacing=\"0\" cellpadding=\"4\">");
    for (const Row &row : table())
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(QString::fromUtf8(row.name), QString::fromUtf8(row.meaning).toHtmlEscaped());
    html += QStringLiteral("</table><p>Každé číslo sa uloží pri opustení políčka.</p>");
    return html;
}

} // namespace keys
