#include "ui/windowfixture.h"

#include <QDir>
#include <QGroupBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

// The group "TLAČ" of the real window: its buttons, and what a click prints.
class TestReportButtons : public QObject {
    Q_OBJECT
private:
    // The window on a copy of the installation, with the working folder holding data/ and reporty/.
    struct PrintWindow : WindowFixture {
        QString previous = QDir::currentPath();
        PrintWindow() {
            const QDir dist(qEnvironmentVariable("VOLBY_DIST"));
            QDir(copy.root()).mkpath(u"reporty"_s);
            for (const QString &name : QDir(dist.filePath(u"reporty"_s)).entryList(QDir::Files))
                QFile::copy(dist.filePath(u"reporty/"_s + name), copy.root() + u"/reporty/"_s + name);
            QDir::setCurrent(copy.root());
        }
        ~PrintWindow() { QDir::setCurrent(previous); }
        void click(const QString &button) {
            clickTab(5);
            QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
        }
    };

private slots:
    void buttons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::newRow("T/12") << u"Button1"_s << u"Tlačiť  T/12"_s << u"Zápisnica T/12"_s;
        QTest::newRow("T/13") << u"Button3"_s << u"Tlačiť  T/13"_s << u"Prílohy T/13"_s;
        QTest::newRow("error protocol") << u"Button9"_s << u"Tlačiť  Chybový protokol"_s << u"Chybový protokol"_s;
        QTest::newRow("inter-table protocol")
            << u"Button10"_s << u"Tlačiť  Chybový  protokol z medzitabuľkových kontrol"_s
            << u"Chybový protokol z medzitabuľkových kontrol"_s;
    }
    void buttons() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        PrintWindow w;
        auto *button = w.control<QPushButton>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        auto *group = qobject_cast<QGroupBox *>(button->parentWidget());
        QVERIFY(group);
        QCOMPARE(group->title(), u"TLAČ"_s);
        QCOMPARE(group->parentWidget(), w.window->page(5));
        w.click(name);
        QCOMPARE(w.script.errorsShown, QStringList());
        QCOMPARE(w.script.reports.size(), size_t(1));
        QCOMPARE(w.script.reports[0].title, title);
        // The installation's P1 holds its one placeholder attachment.
        Table &filled = name == u"Button3"_s ? w.data->TP1_TLAC1() : w.data->TS1_TLAC();
        QCOMPARE(filled.recordCount(), 1);
    }

    // The error protocols print what the complete check finds now, not what an earlier one left.
    void errorProtocolsCheckFirst_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("protocol");
        QTest::newRow("error protocol") << u"Button9"_s << 1;
        QTest::newRow("inter-table protocol") << u"Button10"_s << 2;
    }
    void errorProtocolsCheckFirst() {
        QFETCH(QString, button);
        QFETCH(int, protocol);
        PrintWindow w;
        Table &table = protocol == 1 ? w.data->TProtokol1() : w.data->TProtokol2();
        {
            TableRewrite rewrite(table);
            table.append();
            table.setText(u"KOD_CHYBY"_s, u"K99"_s);
            table.setText(u"CH_OZNAM"_s, u"stará správa"_s);
            table.post();
            rewrite.commit();
        }
        w.click(button);
        QCOMPARE(w.script.errorsShown, QStringList());
        QVERIFY(w.script.busy.contains(u"Prebieha kompletná kontrola zápisnice"_s));
        QCOMPARE(w.script.reports.size(), size_t(1));
        const QString html = w.script.reports[0].html;
        QVERIFY(!html.contains(u"stará správa"_s));
        QVERIFY(table.recordCount() > 0);
        table.first();
        for (int row = 0; row < table.recordCount(); ++row, table.next())
            QVERIFY2(html.contains(table.text(u"CH_OZNAM"_s).trimmed().toHtmlEscaped()),
                     qPrintable(table.text(u"CH_OZNAM"_s)));
    }

    // A missing template reaches the general error box; nothing is output.
    void missingTemplate() {
        PrintWindow w;
        QVERIFY(QFile::remove(w.copy.root() + u"/reporty/priloha_T13.html"_s));
        w.click(u"Button3"_s);
        QCOMPARE(w.script.errorsShown, QStringList{u"The following reporting project does not exist:\r\""_s +
                                                   w.copy.root() + u"/reporty/priloha_T13.html\""_s});
        QVERIFY(w.script.reports.empty());
    }
};

QTEST_MAIN(TestReportButtons)
#include "test_reportbuttons.moc"
