#include "app/atspi_warnings.h"

#include <QLoggingCategory>
#include <QTest>

namespace {
QByteArrayList reached; // the categories of the messages that reach Qt's handler
}

class TestAtspiWarnings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString&) {
            reached.append(context.category);
        });
        file_atspi_warnings_apart();
    }

    void only_the_bridge_is_filed_apart_data() {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QByteArrayList>("categories");
        const QByteArrayList qt_own{"qt.core.qobject.connect", "default"};
        QTest::newRow("no rules") << "" << qt_own;
        QTest::newRow("uncategorised warnings on") << "default.warning=true" << qt_own;
        QTest::newRow("the bridge's warnings on")
            << "tirlo.atspi.keys.warning=true"
            << qt_own + QByteArrayList{"tirlo.atspi.keys", "tirlo.atspi.keys"};
        QTest::newRow("the table's warnings on")
            << "tirlo.atspi.table.warning=true" << qt_own + QByteArrayList{"tirlo.atspi.table"};
    }

    void only_the_bridge_is_filed_apart() {
        QFETCH(QString, rules);
        QFETCH(QByteArrayList, categories);
        QLoggingCategory::setFilterRules(rules);
        reached.clear();
        QVERIFY(!connect(this, SIGNAL(no_such_signal()), this, SLOT(deleteLater())));
        startTimer(-1); // an uncategorised warning
        // The bridge's two and the table's, worded as Qt words them.
        qWarning() << "QSpiApplication::keyEventError " << QString("org.freedesktop.DBus.Error");
        qWarning("QSpiApplication::notifyKeyboardListenerCallback with no queued key called");
        qWarning() << "WARNING QAccessibleTable::indexOfChild Fix my children..."
                   << "QAccessible::Client"
                   << "";
        QCOMPARE(reached, categories);
    }
};

QTEST_GUILESS_MAIN(TestAtspiWarnings)
#include "test_atspi_warnings.moc"
