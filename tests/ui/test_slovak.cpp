// Qt's own dialogs speak Slovak with the program: the export's save dialog, its overwrite question, the
// output options of a report and the context menu of an entry box show no English word.

#include "windowfixture.h"

#include "ui/reportoutput.h"
#include "ui/windowservices.h"

#include "support/modal.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// Words of Qt's English captions that a Slovak dialog never shows.
const QRegularExpression
    english(QStringLiteral("\\b(Cancel|Save|Open|Yes|No|Close|Look in|File name|Files of type|Back|Forward|Parent|"
                           "Create|Folder|Detail|List View|Name|Size|Type|Date Modified|Undo|Redo|Cut|Copy|Paste|"
                           "Delete|Select All|Destination|Preview|Printer|Collate|Duplex|Copies|Pages|From|Setup|"
                           "Zoom|Print|exists|replace)\\b"));

// Every caption the user can read in the widget and its children: texts, titles, tool tips, list items
// and column headings.
QStringList captions(QWidget *top) {
    QStringList texts;
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(top) && w != top)
            continue;
        texts << w->toolTip();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        if (auto *group = qobject_cast<QGroupBox *>(w))
            texts << group->title();
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
        if (auto *header = qobject_cast<QHeaderView *>(w); header && header->model()) {
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
        }
        for (const QAction *action : w->actions())
            texts << action->text() << action->toolTip();
    }
    texts.removeAll(QString());
    return texts;
}

QStringList englishIn(const QStringList &texts) {
    QStringList found;
    for (const QString &t : texts) {
        if (english.match(QString(t).remove(u'&')).hasMatch())
            found << t;
    }
    return found;
}

} // namespace

class TestSlovak : public QObject {
    Q_OBJECT
private slots:
    void saveDialogAndOverwriteQuestion();
    void outputOptions();
    void entryBoxMenu_data();
    void entryBoxMenu();
};

void TestSlovak::saveDialogAndOverwriteQuestion() {
    QTemporaryDir folder;
    QFile existing(folder.filePath(QStringLiteral("VQ500011.1")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    WindowFixture f(nullptr, WindowFixture::Dialogs::Real);
    QStringList dialogTexts, questionTexts, questionButtons;
    // The save dialog: accepted on the existing file, which asks whether to replace it; "No" keeps the
    // dialog open, which is then cancelled.
    whenModal(QString(), [&](QWidget *dialog) {
        dialogTexts = captions(dialog);
        whenModal(QString(), [&](QWidget *question) {
            auto *box = qobject_cast<QMessageBox *>(question);
            QVERIFY(box);
            questionTexts = captions(box) << box->text();
            for (QAbstractButton *b : box->buttons())
                questionButtons << b->text();
            box->button(QMessageBox::No)->click();
            whenModal(QString(), [](QWidget *d) { d->close(); });
        });
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    const auto answer = f.window->services().saveFileName(QStringLiteral("Uložiť export"), folder.path(),
                                                          QStringLiteral("VQ500011.1"), QStringLiteral("*.*"));
    QVERIFY(!answer);
    QVERIFY(!dialogTexts.isEmpty());
    QVERIFY2(englishIn(dialogTexts).isEmpty(), qPrintable(englishIn(dialogTexts).join(u'|')));
    QCOMPARE(questionButtons.size(), 2);
    QVERIFY2(englishIn(questionTexts).isEmpty(), qPrintable(englishIn(questionTexts).join(u'|')));
}

void TestSlovak::outputOptions() {
    QPrinter printer;
    OutputOptionsDialog dialog(printer);
    // Its window title is the report engine's own name of the dialog.
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Output Options"));
    QStringList texts = captions(&dialog);
    texts.removeAll(dialog.windowTitle());
    QVERIFY2(englishIn(texts).isEmpty(), qPrintable(englishIn(texts).join(u'|')));
}

void TestSlovak::entryBoxMenu_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("offered");
    const QStringList editing = {"edit-undo",  "edit-redo",   "edit-cut",  "edit-copy",
                                 "edit-paste", "edit-delete", "select-all"};
    QTest::newRow("entry box") << "ePOZZV" << editing;
    QTest::newRow("quick entry") << "RVUPor" << editing;
    QTest::newRow("sum: nothing to change") << "eKC1" << QStringList{"edit-copy", "select-all"};
}

void TestSlovak::entryBoxMenu() {
    QFETCH(QString, box);
    QFETCH(QStringList, offered);
    WindowFixture f;
    QLineEdit *edit = f.box(box);
    QStringList names, texts;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                names << action->objectName();
            texts << action->text();
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(edit, &event);
    QCOMPARE(names, offered);
    texts.removeAll(QString());
    QVERIFY2(englishIn(texts).isEmpty(), qPrintable(englishIn(texts).join(u'|')));
}

QTEST_MAIN(TestSlovak)
#include "test_slovak.moc"
