#include "app/atspi_key_warnings.h"

#include <QLoggingCategory>
#include <QTest>

namespace {

QByteArrayList categories; // of the messages that reach Qt's handler

void record(QtMsgType, const QMessageLogContext& context, const QString&) {
    categories.append(context.category);
}

} // namespace

class TestAtspiKeyWarnings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void only_the_bridge_is_filed_apart_data();
    void only_the_bridge_is_filed_apart();
};

void TestAtspiKeyWarnings::initTestCase() {
    qInstallMessageHandler(record);
    file_atspi_key_warnings_apart();
}

void TestAtspiKeyWarnings::only_the_bridge_is_filed_apart_data() {
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QByteArrayList>("reached");
    const QByteArrayList qt_own{"qt.core.qobject.connect", "default"};
    QTest::newRow("no rules") << "" << qt_own;
    QTest::newRow("uncategorised warnings on") << "default.warning=true" << qt_own;
    QTest::newRow("the bridge's warnings on")
        << "tirlo.atspi.keys.warning=true"
        << qt_own + QByteArrayList{"tirlo.atspi.keys", "tirlo.atspi.keys"};
}

void TestAtspiKeyWarnings::only_the_bridge_is_filed_apart() {
    QFETCH(QString, rules);
    QFETCH(QByteArrayList, reached);
    QLoggingCategory::setFilterRules(rules);
    categories.clear();
    QVERIFY(!connect(this, SIGNAL(no_such_signal()), this, SLOT(deleteLater())));
    startTimer(-1); // an uncategorised warning
    // The bridge's two, worded as it words them.
    qWarning() << "QSpiApplication::keyEventError " << QString("org.freedesktop.DBus.Error.NoReply")
               << QString("Did not receive a reply.");
    qWarning("QSpiApplication::notifyKeyboardListenerCallback with no queued key called");
    QCOMPARE(categories, reached);
}

QTEST_GUILESS_MAIN(TestAtspiKeyWarnings)
#include "test_atspi_key_warnings.moc"
