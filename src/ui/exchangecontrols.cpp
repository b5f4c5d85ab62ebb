#include "ui/exchangecontrols.h"

#include "exchange/exportmemory.h"
#include "model/district.h"
#include "model/pages.h"
#include "store/datamodule.h"
#include "store/errors.h"
#include "ui/codelistgrid.h"
#include "ui/exchangeactions.h"
#include "ui/focusrouter.h"
#include "ui/windowservices.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

namespace {

struct Place {
    int x, y, width, height;
};

template <typename T> T *placed(T *widget, const char *name, Place p) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(p.x, p.y, p.width, p.height);
    return widget;
}

QPushButton *button(QWidget *parent, const char *name, const char *caption, Place p, FocusRouter &router,
                    std::function<void()> operation) {
    auto *b = placed(new QPushButton(QString::fromUtf8(caption), parent), name, p);
    QObject::connect(b, &QPushButton::clicked, b, [&router, operation] { router.run(operation); });
    return b;
}

QPlainTextEdit *memo(QWidget *parent, const char *name, Place p) {
    auto *m = placed(new QPlainTextEdit(parent), name, p);
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    return m;
}

void heading(QWidget *parent, const char *text, int x, int y) {
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->move(x, y);
}

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

// The group "Posledný export": the archive, the time and the digest of the last export the log records.
std::function<void()> buildLastExport(QWidget &page, const QString &dataFolder) {
    auto *group =
        placed(new QGroupBox(QStringLiteral("Posledný export"), &page), "GB_PoslednyExport", {8, 256, 377, 169});
    auto *archive = placed(new QLabel(group), "lastExport", {16, 24, 345, 34});
    auto *digest = placed(new QLabel(group), "lastExportDigest", {16, 76, 345, 81});
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(11);
    digest->setFont(fixed);
    for (QLabel *label : {archive, digest})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    placed(new QLabel(QStringLiteral("SHA-256:"), group), "lastExportDigestCaption", {16, 60, 345, 15});
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

void buildExport(QWidget &page, District &district, Services &services, FocusRouter &router) {
    const std::function<void()> showLastExport = buildLastExport(page, district.data().folder());
    showLastExport();
    auto *group = placed(new QGroupBox(QStringLiteral("EXPORT"), &page), "GB_Export", {400, 16, 369, 81});
    button(group, "Button16", "EXPORT", {16, 24, 145, 41}, router, [&district, &services, showLastExport] {
        exportDistrict(district, services);
        showLastExport();
    });
    // Carries the complete check's verdict only: never shown, never changed by the user.
    auto *bezchybnost =
        placed(new QCheckBox(QStringLiteral("Bezchybnost zápisnice"), group), "Bezchybnost", {184, 34, 169, 17});
    bezchybnost->setEnabled(false);
    bezchybnost->setVisible(false);
    const auto follow = [bezchybnost, &district] { bezchybnost->setChecked(district.Bezchybnost()); };
    QObject::connect(&district, &District::changed, bezchybnost, follow);
    follow();

    button(&page, "ButtonOPrograme", "O programe", {8, 440, 145, 33}, router, [&district, &services] {
        services.zobraz_spravu(aboutText(district.data().folder()), Services::Information, Services::OK);
    });

    // The import is present but not offered: its group stays hidden.
    auto *importGroup = placed(new QGroupBox(QStringLiteral("IMPORT"), &page), "GB_Import", {400, 112, 369, 377});
    button(importGroup, "Button13", "IMPORT", {16, 24, 145, 41}, router,
           [&district, &services] { importArchive(district, services); });
    memo(importGroup, "importdebug", {16, 80, 337, 281});
    importGroup->setVisible(false);
}

void buildCodeLists(QWidget &page, District &district, Services &services, FocusRouter &router) {
    DataModule &data = district.data();
    heading(&page, "OBCE06", 8, 4);
    placed(new CodeListGrid(data.TVQ_OBCE(), {"OKR", "OBVOD", "OBEC", "NOBEC", "KRAJ", "MESTO", "POCOKS", "KC"}, &page),
           "DSVQ_OBCE", {8, 20, 761, 201});
    button(&page, "Button4", "Import OBCE06", {8, 228, 121, 25}, router,
           [&district, &services] { importCodeList(district, services, CodeList::Municipalities); });
    memo(&page, "impmemo", {144, 228, 625, 41});
    heading(&page, "KOAL06", 8, 276);
    placed(new CodeListGrid(data.TVQ_KOAL(), {"F_KON", "KON", "KO", "KPS", "NKO", "SNKO", "POCKAN", "PLATNOST", "KC"},
                            &page),
           "DSVQ_KOAL", {8, 292, 761, 161});
    button(&page, "Button5", "Import KOAL06", {8, 460, 121, 25}, router,
           [&district, &services] { importCodeList(district, services, CodeList::Parties); });
}

} // namespace

void buildExchangeControls(QWidget &tabSheet7, QWidget &tabSheet8, District &district, WindowServices &services,
                           FocusRouter &router) {
    buildExport(tabSheet7, district, services, router);
    buildCodeLists(tabSheet8, district, services, router);
}
