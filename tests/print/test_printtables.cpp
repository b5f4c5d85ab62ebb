#include "print/printdistrict.h"
#include "print/printing.h"
#include "print/printtables.h"
#include "print/reporttemplate.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The print tables field by field, as the templates receive them.
class TestPrintTables : public QObject {
    Q_OBJECT
private:
    // A district with votes for parties 2, 7 and 25 (25 is missing from KOAL06) and their attachments.
    static void threeAttachments(PrintDistrict &d) {
        d.setProtocol({{u"OBVOD"_s, u"101"_s}, {u"OBEC"_s, u"500011"_s}, {u"OKRSOK"_s, u"3"_s}});
        d.setMunicipalityName(u"Vyšný Škychomec"_s);
        d.setAttachments({
            {u"2"_s,
             {{u"VPH"_s, u"12"_s},
              {u"K1"_s, u"10"_s},
              {u"K50"_s, u"3"_s},
              {u"K51"_s, u"7"_s},
              {u"K150"_s, u"1"_s},
              {u"KC1"_s, u"2"_s},
              {u"KC2"_s, u"0"_s},
              {u"KC3"_s, u"13"_s},
              {u"KC4"_s, u"8"_s},
              {u"KC5"_s, u"0"_s}}},
            {u"7"_s, {{u"VPH"_s, u"0"_s}, {u"K2"_s, u"5"_s}}},
            {u"25"_s, {{u"K3"_s, u""_s}}},
        });
    }

private slots:
    void dashRule_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("zero") << u"0"_s << u"-"_s;
        QTest::newRow("ten") << u"10"_s << u"10"_s;
        QTest::newRow("empty stays empty") << QString() << QString();
        QTest::newRow("only the exact text 0") << u"00"_s << u"00"_s;
        QTest::newRow("text") << u"Ján"_s << u"Ján"_s;
    }
    void dashRule() {
        QFETCH(QString, value);
        QFETCH(QString, printed);
        QCOMPARE(::dashRule(value), printed);
    }

    // Every field of S1, position by position, under the dash rule; one record whatever the table held.
    void protocolCopy() {
        PrintDistrict d;
        QVERIFY(d.isValid());
        d.setProtocol({{u"OBVOD"_s, u"101"_s},
                       {u"POZZV"_s, u"10"_s},
                       {u"PVO"_s, u""_s},
                       {u"KC1"_s, u"0"_s},
                       {u"KTO"_s, u"0"_s},
                       {u"OKOLNOSTI"_s, u"Bez pripomienok, 0 sťažností"_s}});
        // Two stale records: the copy must end as exactly one.
        Table &copy = d.data().TS1_TLAC();
        for (int i = 0; i < 2; ++i) {
            copy.append();
            copy.setText(u"OBVOD"_s, u"999"_s);
            copy.post();
        }
        d.services().output(TlacT12(d.district()));
        d.services().output(TlacT12(d.district()));
        QCOMPARE(copy.recordCount(), 1);
        copy.first();
        Table &s1 = d.data().TS1();
        QCOMPARE(copy.fieldCount(), s1.fieldCount());
        for (int i = 0; i < s1.fieldCount(); ++i)
            QCOMPARE(copy.text(i), ::dashRule(s1.text(i)));
        QCOMPARE(copy.text(u"OBVOD"_s), u"101"_s);
        QCOMPARE(copy.text(u"POZZV"_s), u"10"_s);
        QCOMPARE(copy.text(u"PVO"_s), QString());
        QCOMPARE(copy.text(u"PPHS"_s), u"-"_s);
        QCOMPARE(copy.text(u"KC1"_s), u"-"_s); // the protocol's sums are copied under the rule too
        QCOMPARE(copy.text(u"KTO"_s), u"-"_s);
        QCOMPARE(copy.text(u"OKOLNOSTI"_s), u"Bez pripomienok, 0 sťažností"_s);
        // The table on disk holds the same single record.
        DataModule reopened(u"data"_s);
        QCOMPARE(reopened.TS1_TLAC().recordCount(), 1);
        QCOMPARE(reopened.TS1_TLAC().text(u"POZZV"_s), u"10"_s);
        QCOMPARE(d.services().reports.size(), size_t(2));
        QCOMPARE(d.services().reports.back().title, u"Zápisnica T/12"_s);
    }

    // The error-protocol prints copy the protocol the same way and print their own tables.
    void errorProtocolPrints_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("title");
        QTest::newRow("error protocol") << 1 << u"Chybový protokol"_s;
        QTest::newRow("inter-table protocol") << 2 << u"Chybový protokol z medzitabuľkových kontrol"_s;
    }
    void errorProtocolPrints() {
        QFETCH(int, which);
        QFETCH(QString, title);
        PrintDistrict d;
        QVERIFY(d.isValid());
        d.setProtocol({{u"OBVOD"_s, u"102"_s}, {u"POZZV"_s, u"0"_s}});
        d.setProtocolRows(d.data().TProtokol1(), {{u"K04"_s, u"Prvý protokol"_s}});
        d.setProtocolRows(d.data().TProtokol2(), {{u"K17"_s, u"Druhý protokol"_s}});
        d.services().output((which == 1 ? TlacProtokol1 : TlacProtokol2)(d.district()));
        Table &copy = d.data().TS1_TLAC();
        QCOMPARE(copy.recordCount(), 1);
        QCOMPARE(copy.text(u"OBVOD"_s), u"102"_s);
        QCOMPARE(copy.text(u"POZZV"_s), u"-"_s);
        QCOMPARE(d.services().reports.size(), size_t(1));
        QCOMPARE(d.services().reports[0].title, title);
        const QString html = d.lastHtml();
        QCOMPARE(html.contains(u"Prvý protokol"_s), which == 1);
        QCOMPARE(html.contains(u"Druhý protokol"_s), which == 2);
    }

    void attachmentTables() {
        PrintDistrict d;
        QVERIFY(d.isValid());
        threeAttachments(d);
        Table &p1 = d.data().TP1();
        p1.first();
        p1.next(); // the window shows the second attachment
        d.services().output(TlacT13(d.district()));
        QCOMPARE(p1.recordNumber(), 2);

        Table &first = d.data().TP1_TLAC1();
        Table &second = d.data().TP1_TLAC2();
        QCOMPARE(first.recordCount(), 3);
        QCOMPARE(second.recordCount(), 3);
        const QStringList kons = {u"2"_s, u"7"_s, u"25"_s};
        first.first();
        second.first();
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(first.text(u"PRILOHAC"_s), u"/"_s + QString::number(n));
            QCOMPARE(first.text(u"KON"_s), kons[n - 1]);
            QCOMPARE(second.text(u"KON"_s), kons[n - 1]);
            QCOMPARE(first.text(u"TYPV"_s), QString());
            QCOMPARE(first.text(u"OBVOD"_s), u"101"_s);
            QCOMPARE(first.text(u"OBEC"_s), u"500011"_s);
            QCOMPARE(first.text(u"OKRSOK"_s), u"3"_s);
            QCOMPARE(first.text(u"NAZOVOBCE"_s), u"Vyšný Škychomec"_s);
            first.next();
            second.next();
        }

        first.first();
        second.first();
        QCOMPARE(first.text(u"MENOPSTR"_s), u"Strana remeselníkov a drobných živností"_s);
        QCOMPARE(first.text(u"VPH"_s), u"12"_s);
        QCOMPARE(first.text(u"K1"_s), u"10"_s);
        QCOMPARE(first.text(u"K2"_s), u"-"_s);
        QCOMPARE(first.text(u"K50"_s), u"3"_s);
        QCOMPARE(first.text(u"KC1"_s), u"2"_s);
        QCOMPARE(first.text(u"KC2"_s), u"0"_s); // sums keep their "0"
        QCOMPARE(first.text(u"KC3"_s), u"13"_s);
        QCOMPARE(second.text(u"K51"_s), u"7"_s);
        QCOMPARE(second.text(u"K52"_s), u"-"_s);
        QCOMPARE(second.text(u"K150"_s), u"1"_s);
        QCOMPARE(second.text(u"KC4"_s), u"8"_s);
        QCOMPARE(second.text(u"KC5"_s), u"0"_s);

        first.next();
        QCOMPARE(first.text(u"MENOPSTR"_s), u"Ľudové fórum pastierov - Strana mlynárov a pekárov"_s);
        QCOMPARE(first.text(u"VPH"_s), u"-"_s);
        QCOMPARE(first.text(u"K2"_s), u"5"_s);

        first.next();
        second.next();
        second.next();
        QCOMPARE(first.text(u"MENOPSTR"_s), u"-"_s); // ballot number 25 is not in KOAL06
        QCOMPARE(first.text(u"K3"_s), QString());    // an empty figure stays empty
        QCOMPARE(second.text(u"K150"_s), u"-"_s);
        QCOMPARE(second.text(u"KC4"_s), u"0"_s);
        QCOMPARE(d.services().reports.size(), size_t(1));
        QCOMPARE(d.services().reports[0].title, u"Prílohy T/13"_s);
    }

    // The full name of KOAL06 is 200 wide, the print field 150.
    void longPartyNameCut() {
        PrintDistrict d;
        QVERIFY(d.isValid());
        Table &koal = d.data().TVQ_KOAL();
        QVERIFY(koal.locate(u"KON"_s, u"20"_s));
        const QString name = koal.text(u"NKO"_s);
        QVERIFY(name.size() > 150);
        d.setAttachments({{u"20"_s, {}}});
        d.services().output(TlacT13(d.district()));
        d.data().TP1_TLAC1().first();
        QCOMPARE(d.data().TP1_TLAC1().text(u"MENOPSTR"_s), name.left(150));
    }

    // Printing again replaces the rows instead of adding to them; no attachment leaves both tables empty.
    void attachmentTablesReplaced() {
        PrintDistrict d;
        QVERIFY(d.isValid());
        threeAttachments(d);
        d.services().output(TlacT13(d.district()));
        d.setAttachments({{u"4"_s, {}}});
        d.services().output(TlacT13(d.district()));
        QCOMPARE(d.data().TP1_TLAC1().recordCount(), 1);
        QCOMPARE(d.data().TP1_TLAC2().recordCount(), 1);
        d.setAttachments({});
        d.services().output(TlacT13(d.district()));
        QCOMPARE(d.data().TP1_TLAC1().recordCount(), 0);
        QCOMPARE(d.data().TP1_TLAC2().recordCount(), 0);
        QCOMPARE(d.services().reports.size(), size_t(3)); // the template still runs
        DataModule reopened(u"data"_s);
        QCOMPARE(reopened.TP1_TLAC1().recordCount(), 0);
        QCOMPARE(reopened.TP1_TLAC2().recordCount(), 0);
    }

    // A missing template: the engine's message with the full path; the print tables keep their content.
    void missingTemplate_data() {
        QTest::addColumn<int>("print");
        QTest::addColumn<QString>("file");
        QTest::newRow("T/12") << 0 << u"priloha_T12.html"_s;
        QTest::newRow("T/13") << 1 << u"priloha_T13.html"_s;
        QTest::newRow("error protocol") << 2 << u"Chybovy_protokol.html"_s;
        QTest::newRow("inter-table protocol") << 3 << u"Chybovy_protokol_medzi.html"_s;
    }
    void missingTemplate() {
        QFETCH(int, print);
        QFETCH(QString, file);
        PrintDistrict d;
        QVERIFY(d.isValid());
        threeAttachments(d);
        d.setProtocol({{u"POZZV"_s, u"77"_s}});
        const QString path = d.root() + u"/reporty/"_s + file;
        QVERIFY(QFile::remove(path));
        const std::array prints = {TlacT12, TlacT13, TlacProtokol1, TlacProtokol2};
        try {
            d.services().output(prints[print](d.district()));
            QFAIL("the print went on without its template");
        } catch (const ReportProjectMissingError &error) {
            QCOMPARE(error.message(), u"The following reporting project does not exist:\r\""_s + path + u'"');
        }
        QVERIFY(d.services().reports.empty());
        if (print == 1) {
            QCOMPARE(d.data().TP1_TLAC1().recordCount(), 3);
            QCOMPARE(DataModule(u"data"_s).TP1_TLAC2().recordCount(), 3);
        } else {
            QCOMPARE(d.data().TS1_TLAC().recordCount(), 1);
            QCOMPARE(DataModule(u"data"_s).TS1_TLAC().text(u"POZZV"_s), u"77"_s);
        }
    }
};

QTEST_GUILESS_MAIN(TestPrintTables)
#include "test_printtables.moc"
