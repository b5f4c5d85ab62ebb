#include "print/printdistrict.h"
#include "print/printing.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <ctime>

using namespace Qt::StringLiterals;

// The four templates rendered to PDF and read back by pdftotext: the Slovak texts, the figures, the
// dashes, and one page per attachment.
class TestReports : public QObject {
    Q_OBJECT
private:
    static QStringList pages(const QString &text) {
        QStringList pages = text.split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
    // The line of the layout text that holds the label, with its blanks collapsed.
    static QString lineWith(const QString &text, const QString &label) {
        for (const QString &line : text.split(u'\n'))
            if (line.contains(label))
                return line.simplified();
        return {};
    }
    static void identification(PrintDistrict &d) {
        d.setProtocol({{u"OBVOD"_s, u"101"_s}, {u"OBEC"_s, u"500011"_s}, {u"OKRSOK"_s, u"3"_s}});
        d.setMunicipalityName(u"Vyšný Škychomec"_s);
    }

private slots:

    void protocolT12() {
        PrintDistrict d;
        QVERIFY(d.isValid());
        identification(d);
        d.setProtocol({{u"POZZV"_s, u"852"_s},
                       {u"PVO"_s, u"517"_s},
                       {u"POO_POSTA"_s, u"0"_s},
                       {u"POO"_s, u"515"_s},
                       {u"PPHS"_s, u"498"_s},
                       {u"PPHPS1"_s, u"120"_s},
                       {u"PPHPS7"_s, u"378"_s},
                       {u"KC1"_s, u"1234567"_s},
                       {u"KC2"_s, u"0"_s},
                       {u"KC3"_s, u"44"_s}});
        d.services().output(TlacT12(d.district()));
        const QString path = d.lastPdf(u"T12"_s);
        const QString text = pdfText(path);
        QCOMPARE(pdfPages(path), 1);
        for (const QString &expected :
             {u"ZÁPISNICA"_s, u"Voľby do VQRA 2006"_s, u"T/12"_s, u"Vyšný Škychomec"_s,
              u"Časť II. Výsledok hlasovania vo volebnom okrsku"_s, u"Predseda okrskovej volebnej komisie"_s})
            QVERIFY2(text.contains(expected), qPrintable(expected));
        QCOMPARE(lineWith(text, u"101"_s), u"101 500011 Vyšný Škychomec 3"_s);
        QVERIFY(lineWith(text, u"zapísaných v zozname voličov"_s).endsWith(u" 852"_s));
        QVERIFY(lineWith(text, u"zaslali návratnú obálku z cudziny"_s).endsWith(u" -"_s));
        QVERIFY(lineWith(text, u"odovzdali obálku podľa § 30"_s).endsWith(u" 515"_s));
        QCOMPARE(lineWith(text, u"Hnutie za čisté potoky"_s), u"1 Hnutie za čisté potoky a kvitnúce lúky 120"_s);
        QCOMPARE(lineWith(text, u"Strana remeselníkov"_s), u"2 Strana remeselníkov a drobných živností -"_s);
        QCOMPARE(lineWith(text, u"Ľudové fórum pastierov"_s),
                 u"7 Ľudové fórum pastierov - Strana mlynárov a pekárov 378"_s);
        QCOMPARE(lineWith(text, u"Nezávislí z Ďatľovej doliny"_s), u"21 Nezávislí z Ďatľovej doliny -"_s);
        QCOMPARE(lineWith(text, u"1234567"_s), u"1234567 - 44"_s);
    }

    void attachmentsT13() {
        PrintDistrict d;
        QVERIFY(d.isValid());
        identification(d);
        d.setAttachments({
            {u"2"_s,
             {{u"VPH"_s, u"41"_s},
              {u"K1"_s, u"10"_s},
              {u"K31"_s, u"6"_s},
              {u"K150"_s, u"2"_s},
              {u"KC1"_s, u"0"_s},
              {u"KC4"_s, u"901"_s},
              {u"KC5"_s, u"902"_s}}},
            {u"11"_s, {{u"VPH"_s, u"0"_s}, {u"K60"_s, u"9"_s}}},
            {u"25"_s, {}},
        });
        d.services().output(TlacT13(d.district()));
        const QString path = d.lastPdf(u"T13"_s);
        QCOMPARE(pdfPages(path), 3);
        const QStringList sheets = pages(pdfText(path));
        QCOMPARE(sheets.size(), 3);
        for (int n = 1; n <= 3; ++n) {
            const QString &page = sheets[n - 1];
            QVERIFY2(page.contains(u"PRÍLOHA /"_s + QString::number(n)), qPrintable(page));
            QVERIFY(page.contains(u"Vyšný Škychomec"_s));
            QVERIFY(page.contains(u"Počet platných prednostných hlasov odovzdaných pre jednotlivých kandidátov"_s));
        }
        QCOMPARE(lineWith(sheets[0], u"Strana remeselníkov"_s), u"2 Strana remeselníkov a drobných živností"_s);
        QVERIFY(lineWith(sheets[0], u"využili právo prednostného hlasu"_s).endsWith(u" 41"_s));
        QCOMPARE(lineWith(sheets[0], u"121."_s), u"1. 10 31. 6 61. - 91. - 121. -"_s);
        QCOMPARE(lineWith(sheets[0], u"150."_s), u"30. - 60. - 90. - 120. - 150. 2"_s);
        QVERIFY2(lineWith(sheets[0], u"902"_s).endsWith(u"0 0 0 901 902"_s), qPrintable(lineWith(sheets[0], u"902"_s)));
        // The longest party name wraps within its cell and keeps its letters.
        QVERIFY(sheets[1].simplified().contains(u"Strana za obnovu drevených kostolíkov"_s));
        QVERIFY(lineWith(sheets[1], u"využili právo prednostného hlasu"_s).endsWith(u" -"_s));
        QCOMPARE(lineWith(sheets[1], u"120."_s), u"30. - 60. 9 90. - 120. - 150. -"_s);
        QCOMPARE(lineWith(sheets[2], u"25"_s).left(4), u"25 -"_s); // no name in KOAL06
    }

    void noAttachments() {
        PrintDistrict d;
        QVERIFY(d.isValid());
        d.setAttachments({});
        d.services().output(TlacT13(d.district()));
        const QString path = d.lastPdf(u"T13"_s);
        QCOMPARE(pdfPages(path), 1);
        QVERIFY(pdfText(path).contains(u"Zápisnica nemá prílohy: žiadna politická strana nezískala platný hlas."_s));
    }

    void errorProtocols_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("heading");
        QTest::newRow("error protocol") << 1 << u"kontroly zápisnice okrskovej volebnej komisie"_s;
        QTest::newRow("inter-table protocol") << 2 << u"z medzitabuľkových kontrol zápisnice a jej príloh"_s;
    }
    void errorProtocols() {
        QFETCH(int, which);
        QFETCH(QString, heading);
        PrintDistrict d;
        QVERIFY(d.isValid());
        identification(d);
        Table &table = which == 1 ? d.data().TProtokol1() : d.data().TProtokol2();
        d.setProtocolRows(table, {{u"K04"_s, u"Počet voličov, ktorí sa zúčastnili na hlasovaní je väčší"_s},
                                  {u"K14"_s, u" Politická strana č. 2: súčet hlasov nesúhlasí"_s},
                                  {QString(), u"      BEZ CHÝB"_s}});
        d.services().output((which == 1 ? TlacProtokol1 : TlacProtokol2)(d.district()));
        const QString path = d.lastPdf(u"protokol"_s);
        const QString text = pdfText(path);
        QCOMPARE(pdfPages(path), 1);
        QVERIFY(text.contains(u"CHYBOVÝ PROTOKOL"_s));
        QVERIFY(text.contains(heading));
        QCOMPARE(lineWith(text, u"101"_s), u"101 500011 Vyšný Škychomec 3"_s);
        QCOMPARE(lineWith(text, u"K04"_s), u"1. K04 Počet voličov, ktorí sa zúčastnili na hlasovaní je väčší"_s);
        QCOMPARE(lineWith(text, u"K14"_s), u"2. K14 Politická strana č. 2: súčet hlasov nesúhlasí"_s);
        QCOMPARE(lineWith(text, u"BEZ CHÝB"_s), u"3. BEZ CHÝB"_s);
    }

    // A full district: 21 attachments, one page each. The time is reported, not asserted.
    void fullDistrict() {
        PrintDistrict d;
        QVERIFY(d.isValid());
        identification(d);
        QList<PrintDistrict::Attachment> attachments;
        for (int kon = 1; kon <= 21; ++kon) {
            PrintDistrict::Attachment attachment{QString::number(kon), {{u"VPH"_s, QString::number(kon * 3)}}};
            for (int c = 1; c <= 150; c += 7)
                attachment.fields.insert(u"K"_s + QString::number(c), QString::number(c + kon));
            attachments.append(attachment);
        }
        d.setAttachments(attachments);
        QElapsedTimer timer;
        timer.start();
        const std::clock_t processor = std::clock();
        d.services().output(TlacT13(d.district()));
        const QString path = d.lastPdf(u"T13"_s);
        // Processor time beside the wall time: other work on the machine stretches the latter.
        qInfo("21 attachments filled, rendered and written as PDF in %lld ms (%ld ms of processor time)",
              timer.elapsed(), long((std::clock() - processor) * 1000 / CLOCKS_PER_SEC));
        QCOMPARE(pdfPages(path), 21);
        const QStringList sheets = pages(pdfText(path));
        QCOMPARE(sheets.size(), 21);
        QVERIFY(sheets[20].contains(u"PRÍLOHA /21"_s));
        QVERIFY(sheets[20].contains(u"Nezávislí z Ďatľovej doliny"_s));
        QCOMPARE(lineWith(sheets[20], u"121."_s), u"1. 22 31. - 61. - 91. - 121. -"_s);
    }
};

QTEST_MAIN(TestReports)
#include "test_reports.moc"
