#include "ui/exportpage.h"

#include "checks/completecheck.h"
#include "exchange/exportmemory.h"
#include "model/district.h"
#include "model/pages.h"
#include "print/printing.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "ui/exchangeactions.h"
#include "ui/focusrouter.h"
#include "ui/windowservices.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>

#include <functional>

using layouttable::Control;
using layouttable::Kind;

namespace {

// In the order of creation, which is the focus chain's.
const std::vector<Control> &rows() {
    const QString page = QStringLiteral("TabSheet7");
    const QString last = QStringLiteral("GB_PoslednyExport"), exportGroup = QStringLiteral("GB_Export"),
                  import = QStringLiteral("GB_Import"), print = QStringLiteral("GB_Tlac");
    static const std::vector<Control> list = {
        {Kind::Group, last, page, "Posledný export", {}, 8, 256, 377, 169},
        {Kind::Label, "lastExport", last, {}, {}, 16, 24, 345, 34},
        {Kind::Label, "lastExportDigest", last, {}, {}, 16, 76, 345, 81},
        {Kind::Label, "lastExportDigestCaption", last, "SHA-256:", {}, 16, 60, 345, 15},
        {Kind::Group, exportGroup, page, "EXPORT", {}, 400, 16, 369, 81},
        {Kind::Button, "Button16", exportGroup, "EXPORT", {}, 16, 24, 145, 41},
        {Kind::Flag, "Bezchybnost", exportGroup, "Bezchybnost zápisnice", {}, 184, 34, 169, 17},
        {Kind::Button, "ButtonOPrograme", page, "O programe", {}, 8, 440, 145, 33},
        {Kind::Group, import, page, "IMPORT", {}, 400, 112, 369, 377},
        {Kind::Button, "Button13", import, "IMPORT", {}, 16, 24, 145, 41},
        {Kind::Memo, "importdebug", import, {}, {}, 16, 80, 337, 281},
        // Two blanks after "Tlačiť", as on the paper forms' buttons.
        {Kind::Group, print, page, "TLAČ", {}, 8, 16, 377, 225},
        {Kind::Button, "Button1", print, "Tlačiť  T/12", {}, 16, 24, 345, 41},
        {Kind::Button, "Button3", print, "Tlačiť  T/13", {}, 16, 73, 345, 41},
        {Kind::Button, "Button9", print, "Tlačiť  Chybový protokol", {}, 16, 122, 345, 41},
        {Kind::Button, "Button10", print, "Tlačiť  Chybový  protokol z medzitabuľkových kontrol", {}, 16, 171, 345, 41},
    };
    return list;
}

// The error protocols print what the complete check finds in the figures as they are now.
RenderedReport Button9Click(District &district, Services &services) {
    present(services, KompletnaKontrola(district));
    return TlacProtokol1(district);
}

RenderedReport Button10Click(District &district, Services &services) {
    present(services, KompletnaKontrola(district));
    return TlacProtokol2(district);
}

struct PrintButton {
    const char *name;
    RenderedReport (*click)(District &, Services &);
};

const PrintButton printButtons[] = {
    {"Button1", [](District &district, Services &) { return TlacT12(district); }},
    {"Button3", [](District &district, Services &) { return TlacT13(district); }},
    {"Button9", Button9Click},
    {"Button10", Button10Click},
};

// The digest in groups of four hex digits, four groups a line, as it is copied onto the paper protocol.
QString digestGroups(const QByteArray &hex) {
    QStringList lines;
    for (qsizetype at = 0; at < hex.size(); at += 16) {
        QStringList groups;
        for (qsizetype group = at; group < qMin(at + 16, hex.size()); group += 4)
            groups.append(QString::fromLatin1(hex.mid(group, 4)));
        lines.append(groups.join(u' '));
    }
    return lines.join(u'\n');
}

// Shows the archive, the time and the digest of the last export the log records.
std::function<void()> lastExportShown(QLabel *archive, QLabel *digest, const QString &dataFolder) {
    return [=] {
        digest->clear();
        try {
            const std::optional<ExportRecord> last = lastExport(dataFolder);
            archive->setText(last ? last->name + u'\n' + last->time.toString(QStringLiteral("d.M.yyyy H:mm:ss"))
                                  : QStringLiteral("Zatiaľ nebol urobený žiadny export."));
            if (last)
                digest->setText(digestGroups(last->sha256));
        } catch (const VolbyError &e) {
            archive->setText(e.message()); // shown in its place: the page opens without an error box
        }
    };
}

// The program's version and the folders it works on.
QString aboutText(const QString &dataFolder) {
    return (programTitle() + QStringLiteral("\nVerzia %1\n\nÚdaje: %2\nZostavy: %3"))
        .arg(QCoreApplication::applicationVersion(), QDir::toNativeSeparators(QDir(dataFolder).absolutePath()),
             QDir::toNativeSeparators(QDir(QStringLiteral("reporty")).absolutePath()));
}

} // namespace

ExportPage::ExportPage(District &district, WindowServices &services, FocusRouter &router, QWidget &tabSheet7)
    : FormPages({&tabSheet7}) {
    build(rows(), tabSheet7);
    const auto button = [this, &router](const char *name, std::function<void()> operation) {
        connect(static_cast<QPushButton *>(control(QString::fromLatin1(name))), &QPushButton::clicked, this,
                [&router, operation] { router.run(operation); });
    };

    auto *archive = static_cast<QLabel *>(control(QStringLiteral("lastExport")));
    auto *digest = static_cast<QLabel *>(control(QStringLiteral("lastExportDigest")));
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(11);
    digest->setFont(fixed);
    for (QLabel *label : {archive, digest})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const std::function<void()> showLastExport = lastExportShown(archive, digest, district.data().folder());
    showLastExport();

    button("Button16", [&district, &services, showLastExport] {
        exportDistrict(district, services);
        showLastExport();
    });
    auto *bezchybnost = static_cast<QCheckBox *>(control(QStringLiteral("Bezchybnost")));
    const auto follow = [bezchybnost, &district] { bezchybnost->setChecked(district.Bezchybnost()); };
    connect(&district, &District::changed, bezchybnost, follow);
    follow();

    button("ButtonOPrograme", [&district, &services] {
        services.zobraz_spravu(aboutText(district.data().folder()), Services::Information, Services::OK);
    });

    // The import is present but not offered: its group stays hidden.
    control(QStringLiteral("GB_Import"))->setVisible(false);
    button("Button13", [&district, &services] { importArchive(district, services); });

    for (const PrintButton &b : printButtons)
        button(b.name, [&district, &services, click = b.click] {
            const RenderedReport report = click(district, services);
            services.outputReport(report.title, report.html);
        });
}
