#include "ui/help_text.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

namespace {

// Lines 3 to 23 of the usage note, as the user must read them.
const QStringList fixed_lines{
    "",
    "Utilisation :",
    "1 ) Entrez la formule de dés à tirer dans le champ du haut",
    "2 ) Cliquez sur OK",
    "3 ) Consultez le résultat dans le champ du bas",
    "ça va, pas trop fatigué des neurones?",
    "",
    "Formules valides :",
    "d6 : simule un jet de dé à six faces (normal)",
    "d8 : jet de dé à 8 faces",
    "dxxx : jet de dé à xxx faces (limité à 1000D1000)",
    "2d6 : addition du résultat de 2 dés à 6 faces",
    "3d6+1d4 : addition de 3 dés à 6 faces et 1 dé à 4 faces",
    "2d8+5 : addition de 2 dés à 8 faces avec un bonus de 5",
    "3+5 : addition de 2 nombres (vous savez, il y a une calculatrice dans Windows...)",
    "3d6/4 : addition des trois meilleurs résultats sur 4 jets de dés à 6 faces",
    "3d6/4+2d8+1 : etc...",
    "",
    "Si des points d'interrogation apparaissent dans la fenêtre résultat, c''est que la formule "
    "comprend une erreur",
    "",
    "Amusez-vous bien...",
};

// The box keeps each CR LF of the help text as one line break.
QString shown_text() {
    return help_text().replace("\r\n", "\n");
}

QList<form_help*> help_windows() {
    QList<form_help*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<form_help*>(widget)) {
            found << help;
        }
    }
    return found;
}

struct MainShown {
    tirlo window;
    QPushButton* but_help = window.findChild<QPushButton*>("but_help");

    MainShown() {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            qFatal("the main window was never shown");
        }
    }
    ~MainShown() { QTRY_VERIFY(help_windows().isEmpty()); }

    form_help* open_help() {
        QTest::mouseClick(but_help, Qt::LeftButton);
        const QList<form_help*> open = help_windows();
        return open.size() == 1 ? open.first() : nullptr;
    }

    static QPlainTextEdit* text_of(form_help* help) {
        return help->findChild<QPlainTextEdit*>("Text1");
    }
};

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

private slots:
    void text_is_exact();
    void window_shows_the_text_borderless();
    void click_closes_and_reopening_builds_one_copy();
    void second_press_keeps_one_window();
    void typing_changes_nothing_and_escape_closes();
    void main_window_stays_usable();
    void escape_while_help_is_pressed_opens_nothing_data();
    void escape_while_help_is_pressed_opens_nothing();
    void main_window_goes_before_or_after_its_windows_data();
    void main_window_goes_before_or_after_its_windows();
    void arrows_move_a_caret_line_by_line();
    void every_line_shows_whatever_the_font_data();
    void every_line_shows_whatever_the_font();
};

void TestHelpWindow::text_is_exact() {
    const QString text = help_text();
    QVERIFY(text.endsWith("Amusez-vous bien...\r\n"));
    QStringList lines = text.split("\r\n");
    QCOMPARE(lines.takeLast(), ""); // after the last CR LF
    QCOMPARE(lines.size(), 23);
    QCOMPARE(text.count("\r\n"), 23);
    QCOMPARE(text.count('\n'), 23);
    QCOMPARE(text.count('\r'), 23);

    QVERIFY(lines[0].contains("Tirlo") && lines[0].contains("licence"));
    QVERIFY(lines[1].contains("https://"));
    for (qsizetype i = 0; i < fixed_lines.size(); ++i) {
        QCOMPARE(lines[i + 2], fixed_lines[i]);
    }
}

void TestHelpWindow::window_shows_the_text_borderless() {
    MainShown m;
    form_help* help = m.open_help();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->size(), QSize(417, 425));
    QVERIFY(help->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(help->windowType(), Qt::Tool); // kept out of the task bar
    QVERIFY(!help->parentWidget());
    QCOMPARE(help->accessibleName(), "Aide de Tirlo"); // the caption is not French

    QPlainTextEdit* text = MainShown::text_of(help);
    QCOMPARE(text->geometry(), QRect(0, 0, 417, 425));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text->toPlainText(), shown_text());
    help->close();
}

void TestHelpWindow::click_closes_and_reopening_builds_one_copy() {
    MainShown m;
    for (int opening = 0; opening < 2; ++opening) {
        QPointer<form_help> help = m.open_help();
        QVERIFY(help);
        QCOMPARE(MainShown::text_of(help)->toPlainText(), shown_text());
        QTest::mouseClick(MainShown::text_of(help)->viewport(), Qt::LeftButton, {},
                          QPoint(300, 400));
        QTRY_VERIFY(help.isNull());
    }
}

void TestHelpWindow::second_press_keeps_one_window() {
    MainShown m;
    form_help* first = m.open_help();
    QVERIFY(first);
    QCOMPARE(m.open_help(), first);
    QCOMPARE(MainShown::text_of(first)->toPlainText(), shown_text());
    first->close();
}

void TestHelpWindow::typing_changes_nothing_and_escape_closes() {
    MainShown m;
    QPointer<form_help> help = m.open_help();
    QVERIFY(help);
    QPlainTextEdit* text = MainShown::text_of(help);
    QTest::keyClicks(text, "2d6");
    QTest::keyClick(text, Qt::Key_Delete);
    QTest::keyClick(text, Qt::Key_Backspace);
    QCOMPARE(text->toPlainText(), shown_text());

    QTest::keyClick(text, Qt::Key_Escape);
    QTRY_VERIFY(help.isNull());
}

void TestHelpWindow::main_window_stays_usable() {
    MainShown m;
    form_help* help = m.open_help();
    QVERIFY(help);
    auto* input = m.window.findChild<QLineEdit*>("txt_entree");
    input->setText("3+5");
    QTest::keyClick(input, Qt::Key_Return);
    QCOMPARE(m.window.findChild<QLineEdit*>("txt_result")->text(), " 8");
    QTest::mouseClick(input, Qt::LeftButton);
    QCOMPARE(help_windows(), QList<form_help*>{help});
    help->close();
}

void TestHelpWindow::escape_while_help_is_pressed_opens_nothing_data() {
    QTest::addColumn<bool>("on_help");
    QTest::addColumn<bool>("escape");
    QTest::newRow("Alt+?") << false << false;
    QTest::newRow("Alt+?, Escape at once") << false << true;
    QTest::newRow("Alt+? on the focused ?, Escape at once") << true << true;
}

void TestHelpWindow::escape_while_help_is_pressed_opens_nothing() {
    QFETCH(bool, on_help);
    QFETCH(bool, escape);

    MainShown m;
    m.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m.window));
    if (on_help) {
        m.but_help->setFocus();
    }
    QSignalSpy clicked(m.but_help, &QPushButton::clicked);
    QTest::keyClick(&m.window, Qt::Key_Question, Qt::AltModifier);
    QVERIFY(m.but_help->isDown()); // for a moment, then it clicks
    if (escape) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }
    QTRY_COMPARE(clicked.size(), 1);
    QCOMPARE(help_windows().size(), escape ? 0 : 1);
    if (!escape) {
        help_windows().first()->close();
    }
}

void TestHelpWindow::main_window_goes_before_or_after_its_windows_data() {
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("closed_first");
    for (const char* name : {"form_help", "history", "odds"}) {
        QTest::addRow("%s open", name) << name << false;
        QTest::addRow("%s closed first", name) << name << true;
    }
}

// Under the sanitizers, nothing dangles whichever goes first.
void TestHelpWindow::main_window_goes_before_or_after_its_windows() {
    QFETCH(QString, opened);
    QFETCH(bool, closed_first);

    auto* window = new tirlo;
    window->show();
    window->findChild<QLineEdit*>("txt_entree")->setText("2d6");
    QTest::keyClick(window, Qt::Key_Return); // a roll in the history
    const QHash<QString, QString> commands{{"history", "&Historique des jets"},
                                           {"odds", "&Probabilités"}};
    if (opened == "form_help") {
        QMetaObject::invokeMethod(window, "but_help_Click");
    }
    for (QAction* command : window->actions()) {
        if (command->text() == commands.value(opened)) {
            command->trigger();
        }
    }
    QPointer<QWidget> other;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == opened) {
            other = widget;
        }
    }
    QVERIFY(other && other->isVisible());
    if (closed_first) {
        other->close();
        QTRY_VERIFY(other.isNull());
    }
    delete window;
    QVERIFY(other.isNull());
}

void TestHelpWindow::arrows_move_a_caret_line_by_line() {
    MainShown m;
    QPointer<form_help> help = m.open_help();
    QVERIFY(help);
    QPlainTextEdit* text = MainShown::text_of(help);
    QCOMPARE(text->textCursor().blockNumber(), 0);
    for (int line = 1; line <= 3; ++line) {
        QTest::keyClick(text, Qt::Key_Down);
        QCOMPARE(text->textCursor().blockNumber(), line);
    }
    QCOMPARE(text->textCursor().block().text(), "Utilisation :");
    QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(text->textCursor().blockNumber(), 23); // the empty line after the last CR LF
    QCOMPARE(text->toPlainText(), shown_text());

    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTRY_VERIFY(help.isNull());
}

void TestHelpWindow::every_line_shows_whatever_the_font_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<QSize>("size");
    QTest::newRow("9 pt, as drawn") << 9.0 << QSize(417, 425);
    QTest::newRow("14 pt") << 14.0 << QSize(649, 661);
}

void TestHelpWindow::every_line_shows_whatever_the_font() {
    QFETCH(double, points);
    QFETCH(QSize, size);

    const QFont before = QApplication::font();
    QFont font = before;
    font.setPointSizeF(points);
    QApplication::setFont(font);
    {
        MainShown m;
        form_help* help = m.open_help();
        QCOMPARE(help->size(), size);
        QPlainTextEdit* text = MainShown::text_of(help);
        QCOMPARE(text->geometry(), help->rect());
        QTextCursor last_line(text->document()->findBlockByNumber(22));
        last_line.movePosition(QTextCursor::EndOfBlock); // after "Amusez-vous bien..."
        QVERIFY(text->cursorRect(last_line).bottom() < text->viewport()->height());
        help->close();
    }
    QApplication::setFont(before);
}

QTEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"
