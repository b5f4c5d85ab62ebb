#include "ui/attachmentkeys.h"
#include "store/form.h"

#include <Qt>

#include <algorithm>

namespace attachmentkeys {

namespace {

QString ifFocusable(const QString &control, const CanFocus &canFocus) {
    return canFocus(control) ? control : QString();
}

// The identification row of page 1: pOBVOD, pOBEC, pOKRSOK, pVPH.
QString identificationTarget(const QString &control, Key key, bool groupShown, const CanFocus &canFocus) {
    static const QString rows[] = {QStringLiteral("pOBVOD"), QStringLiteral("pOBEC"), QStringLiteral("pOKRSOK"),
                                   QStringLiteral("pVPH")};
    const auto it = std::find(std::begin(rows), std::end(rows), control);
    if (it == std::end(rows))
        return {};
    const auto row = it - std::begin(rows);
    const bool isVPH = row == 3;
    // The moves to pK1 reach a grid that may be hidden (no votes) or disabled (count 0): the focus stays.
    const auto toGrid = [&] { return isVPH && !groupShown ? QString() : ifFocusable(QStringLiteral("pK1"), canFocus); };
    switch (key) {
    case Key::Enter:
    case Key::Down:
        return isVPH ? toGrid() : rows[row + 1];
    case Key::Up:
        return row > 0 ? rows[row - 1] : QString();
    case Key::PageDown:
        return toGrid();
    case Key::PageUp:
        return row > 0 && !isVPH ? rows[0] : QString();
    default:
        break;
    }
    return {};
}

// Page 1: candidates 1..50, the count capped at 50.
QString page1Target(int n, Key key, int count, const CanFocus &canFocus) {
    const int last = std::min(count, form::candidatesOnFirstPage);
    switch (key) {
    case Key::PageDown:
        return last >= 1 ? ifFocusable(candidateBox(last), canFocus) : QString();
    case Key::PageUp:
        return n > 1 ? candidateBox(1) : QStringLiteral("pVPH");
    case Key::Enter:
    case Key::Down:
        if (n == last) {
            if (canFocus(QStringLiteral("dalsia_strana")))
                return QStringLiteral("dalsia_strana");
            return ifFocusable(QStringLiteral("DoPredu"), canFocus);
        }
        return n < last ? ifFocusable(candidateBox(n + 1), canFocus) : QString();
    case Key::Up:
        return n > 1 ? candidateBox(n - 1) : QString();
    default:
        break;
    }
    return {};
}

// Page 2: candidates 51..150, the count not capped at the page (only at the 150 boxes there are).
QString page2Target(int n, Key key, int count, const CanFocus &canFocus) {
    const int last = std::min(count, form::candidates);
    switch (key) {
    case Key::PageDown:
        if (n == last)
            return QStringLiteral("Button15");
        return n < last ? ifFocusable(candidateBox(last), canFocus) : QString();
    case Key::PageUp:
        return n > form::candidatesOnFirstPage + 1 ? candidateBox(form::candidatesOnFirstPage + 1)
                                                   : QStringLiteral("Button8");
    case Key::Enter:
    case Key::Down:
        if (n == last)
            return QStringLiteral("Button15");
        return n < last ? ifFocusable(candidateBox(n + 1), canFocus) : QString();
    case Key::Up:
        return n > form::candidatesOnFirstPage + 1 ? candidateBox(n - 1) : QString();
    default:
        break;
    }
    return {};
}

} // namespace

int candidateNumber(const QString &control) {
    if (!control.startsWith(QStringLiteral("pK")) || control.size() < 3 || control.size() > 5)
        return 0;
    bool ok = false;
    const int n = control.mid(2).toInt(&ok);
    return ok && n >= 1 && n <= form::candidates && control.mid(2) == QString::number(n) ? n : 0;
}

QString candidateBox(int n) {
    return QStringLiteral("pK") + QString::number(n);
}

QString keyTarget(const QString &control, Key key, int count, bool groupShown, const CanFocus &canFocus) {
    if (const int n = candidateNumber(control))
        return n <= form::candidatesOnFirstPage ? page1Target(n, key, count, canFocus)
                                                : page2Target(n, key, count, canFocus);
    if (control == QStringLiteral("dalsia_strana"))
        return key == Key::PageUp ? QStringLiteral("pVPH") : QString();
    if (control == QStringLiteral("Button15") && key == Key::PageUp)
        return ifFocusable(QStringLiteral("pK51"), canFocus);
    if (control == QStringLiteral("Button8") && key == Key::PageDown)
        return ifFocusable(QStringLiteral("pK51"), canFocus);
    return identificationTarget(control, key, groupShown, canFocus);
}

QString f10Target(const QString &control, const CanFocus &canFocus) {
    if (const int n = candidateNumber(control))
        return ifFocusable(n <= form::candidatesOnFirstPage ? QStringLiteral("RVUPor") : QStringLiteral("RVUPor2"),
                           canFocus);
    if (control == QStringLiteral("RVUPor") || control == QStringLiteral("RVUPoc"))
        return ifFocusable(QStringLiteral("pK1"), canFocus);
    if (control == QStringLiteral("RVUPor2") || control == QStringLiteral("RVUPoc2"))
        return ifFocusable(QStringLiteral("pK51"), canFocus);
    return {};
}

QString sumBoxTarget(const QString &control, const CanFocus &canFocus) {
    if (control == QStringLiteral("ePKC1") || control == QStringLiteral("ePKC2") || control == QStringLiteral("ePKC3"))
        return ifFocusable(QStringLiteral("pK1"), canFocus);
    if (control == QStringLiteral("ePKC4") || control == QStringLiteral("ePKC5"))
        return QStringLiteral("Button15");
    return {};
}

} // namespace attachmentkeys
