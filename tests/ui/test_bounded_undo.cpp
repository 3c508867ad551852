#include "ui/bounded_undo.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <limits>

class TestBoundedUndo : public QObject {
    Q_OBJECT

private slots:
    void paste_over_the_text_data();
    void paste_over_the_text();
};

void TestBoundedUndo::paste_over_the_text_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("undoable");

    const QString long_formula = QString("3d6+").repeated(8 * 1024);
    QTest::newRow("a formula over a formula") << "2d6"
                                              << "3d6/4+2d8+1" << true;
    QTest::newRow("32 KiB into a short formula") << "2d6" << long_formula << true;
    // The same text: what changed is nothing, yet Qt records every character twice.
    QTest::newRow("32 KiB over the same 32 KiB") << long_formula << long_formula << false;
    QTest::newRow("a formula over 32 KiB, then back") << long_formula << "d8" << true;
}

void TestBoundedUndo::paste_over_the_text() {
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(bool, undoable);

    QLineEdit box;
    box.setMaxLength(std::numeric_limits<int>::max()); // as the formula box
    box.setText(before);
    new BoundedUndo(&box);
    box.selectAll();
    QApplication::clipboard()->setText(pasted);
    box.paste();
    QCoreApplication::processEvents();

    QCOMPARE(box.text(), pasted);
    QCOMPARE(box.cursorPosition(), pasted.size());
    QCOMPARE(box.isUndoAvailable(), undoable);
    if (undoable) {
        box.undo();
        QCOMPARE(box.text(), before);
    }
}

QTEST_MAIN(TestBoundedUndo)
#include "test_bounded_undo.moc"
