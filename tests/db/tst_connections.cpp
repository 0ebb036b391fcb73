#include <QTest>
class TestConnections : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(TestConnections)
#include "tst_connections.moc"
