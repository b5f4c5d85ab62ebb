#include "print/reporttemplate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Loading and rendering a template: its encoding, escaping, the pairing of the attachment's two rows.
class TestReportTemplate : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString write(const QByteArray &bytes) {
        const QString path = m_dir.filePath(u"t.html"_s);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        file.write(bytes);
        return path;
    }

    static ReportRow row(const QList<QPair<QString, QString>> &values) { return values; }

private slots:
    void encodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("rendered");
        QTest::newRow("declared Windows-1250")
            << QByteArray("<meta charset=\"windows-1250\"><p>\x8a\x9d\xe1\xf4 {{#RvTS1}}{{OBVOD}}{{/RvTS1}}</p>")
            << u"<meta charset=\"windows-1250\"><p>Šťáô 101</p>"_s;
        QTest::newRow("declared in http-equiv")
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">\xbe")
            << u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">ľ"_s;
        QTest::newRow("none declared is UTF-8")
            << QByteArray("<p>\xc5\xa0 {{#RvTS1}}{{OBVOD}}{{/RvTS1}}</p>") << u"<p>Š 101</p>"_s;
    }
    void encodings() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, rendered);
        const ReportTemplate report = ReportTemplate::load(write(bytes));
        QCOMPARE(report.render({{u"RvTS1"_s, {row({{u"OBVOD"_s, u"101"_s}})}}}), rendered);
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // the whole message, or for a tag error its beginning
        QTest::newRow("unknown encoding")
            << QByteArray("<meta charset=\"x-no-such-code\">") << u"Šablóna zostavy %1 má neznáme kódovanie."_s;
        QTest::newRow("not UTF-8") << QByteArray("<p>\xff\xfe\xfa</p>")
                                   << u"Šablóna zostavy %1 obsahuje znaky mimo kódovania UTF-8."_s;
        QTest::newRow("unclosed section") << QByteArray("{{#RvTS1}}{{OBVOD}}") << u"Šablóna zostavy %1 je chybná: "_s;
    }
    void refused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString path = write(bytes);
        try {
            ReportTemplate::load(path);
            QFAIL("the template was taken");
        } catch (const ReportTemplateError &error) {
            const QString expected = message.arg(QFileInfo(path).absoluteFilePath());
            QVERIFY2(error.message() == expected ||
                         (expected.endsWith(u": "_s) && error.message().startsWith(expected) &&
                          error.message().size() > expected.size()),
                     qPrintable(error.message()));
        }
    }

    void missingFile() {
        const QString path = m_dir.filePath(u"reporty/priloha_T12.html"_s);
        try {
            ReportTemplate::load(path);
            QFAIL("a missing template was taken");
        } catch (const ReportProjectMissingError &error) {
            QCOMPARE(error.message(), u"The following reporting project does not exist:\r\""_s + path + u"\""_s);
        }
    }

    // A name from the tables is text, never markup.
    void valuesEscaped() {
        const ReportTemplate report = ReportTemplate::load(write("{{#RvTS1}}{{OKOLNOSTI}}{{/RvTS1}}"));
        QCOMPARE(report.render({{u"RvTS1"_s, {row({{u"OKOLNOSTI"_s, u"<b>A & B</b>"_s}})}}}),
                 u"&lt;b&gt;A &amp; B&lt;/b&gt;"_s);
    }

    // Inside an attachment's first row, RvTP1_TLAC2 is that attachment's second row alone.
    void attachmentRowsPaired() {
        const ReportTemplate report = ReportTemplate::load(
            write("{{#RvTP1_TLAC1}}[{{PRILOHAC}}:{{#RvTP1_TLAC2}}{{K51}},{{K1}}{{/RvTP1_TLAC2}}]{{/RvTP1_TLAC1}}"));
        const ReportData data = {
            {u"RvTP1_TLAC1"_s,
             {row({{u"PRILOHAC"_s, u"/1"_s}, {u"K1"_s, u"a"_s}}), row({{u"PRILOHAC"_s, u"/2"_s}, {u"K1"_s, u"b"_s}})}},
            {u"RvTP1_TLAC2"_s, {row({{u"K51"_s, u"x"_s}}), row({{u"K51"_s, u"y"_s}})}},
        };
        QCOMPARE(report.render(data), u"[/1:x,a][/2:y,b]"_s);
    }
};

QTEST_GUILESS_MAIN(TestReportTemplate)
#include "test_reporttemplate.moc"
