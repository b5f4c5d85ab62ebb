#include "ui/reportbuttons.h"

#include "checks/completecheck.h"
#include "model/pages.h"
#include "print/printing.h"
#include "ui/focusrouter.h"
#include "ui/mainwindow.h"
#include "ui/reportoutput.h"
#include "ui/windowservices.h"

#include <QGroupBox>
#include <QPushButton>

namespace {

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
    const char *caption; // two blanks after "Tlačiť", as on the paper forms' buttons
    RenderedReport (*click)(District &, Services &);
};

const PrintButton printButtons[] = {
    {"Button1", "Tlačiť  T/12", [](District &district, Services &) { return TlacT12(district); }},
    {"Button3", "Tlačiť  T/13", [](District &district, Services &) { return TlacT13(district); }},
    {"Button9", "Tlačiť  Chybový protokol", Button9Click},
    {"Button10", "Tlačiť  Chybový  protokol z medzitabuľkových kontrol", Button10Click},
};

} // namespace

void buildPrintGroup(TUI &window) {
    auto *group = new QGroupBox(QStringLiteral("TLAČ"), window.page(pages::PrintExport));
    group->setObjectName(QStringLiteral("GB_Tlac"));
    group->setGeometry(8, 16, 377, 225);
    int y = 24;
    for (const PrintButton &b : printButtons) {
        auto *button = new QPushButton(QString::fromUtf8(b.caption), group);
        button->setObjectName(QLatin1String(b.name));
        button->setGeometry(16, y, 345, 41);
        y += 49;
        QObject::connect(button, &QPushButton::clicked, group, [&window, click = b.click] {
            window.router().run([&window, click] {
                const RenderedReport document = click(window.district(), window.services());
                window.services().outputReport(document.title, document.html);
            });
        });
    }
}
