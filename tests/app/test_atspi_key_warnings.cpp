#include "app/atspi_key_warnings.h"

#include <QLoggingCategory>
#include <QTest>

namespace {
QByteArrayList reached; // the categories of the messages that reach Qt's handler
}

class TestAtspiKeyWarnings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString&) {
            reached.append(context.category);
        });
        file_atspi_key_warnings_apart();
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
    }

    void only_the_bridge_is_filed_apart() {
        QFETCH(QString, rules);
        QFETCH(QByteArrayList, categories);
        QLoggingCategory::setFilterRules(rules);
        reached.clear();
        QVERIFY(!connect(this, SIGNAL(no_such_signal()), this, SLOT(deleteLater())));
        startTimer(-1); // an uncategorised warning
        // The bridge's two, worded as it words them.
        qWarning() << "QSpiApplication::keyEventError " << QString("org.freedesktop.DBus.Error");
        qWarning("QSpiApplication::notifyKeyboardListenerCallback with no queued key called");
        QCOMPARE(reached, categories);
    }
};

QTEST_GUILESS_MAIN(TestAtspiKeyWarnings)
#include "test_atspi_key_warnings.moc"
