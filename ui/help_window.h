#pragma once

#include <QWidget>

class QPlainTextEdit;

// The help window: the usage note, borderless; a click on it closes it for good.
class form_help final : public QWidget {
    Q_OBJECT

public:
    form_help();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void Text1_Click();
    void lay_out();

    QPlainTextEdit* Text1;
};
