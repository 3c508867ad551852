#pragma once

#include <QObject>
#include <QStringList>

class QLineEdit;

// Up and Down in a formula box step through the formulas rolled so far, as a
// shell does; Down past the newest gives back what was being typed.
class FormulaRecall final : public QObject {
    Q_OBJECT

public:
    explicit FormulaRecall(QLineEdit& box);

    // A formula just rolled; the same one twice in a row is kept once.
    void add(const QString& formula);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step_back();
    void step_forward();

    QLineEdit& box;
    QStringList formulas;   // oldest first
    qsizetype position = 0; // formulas.size() while on what is being typed
    QString draft;
};
