// placeholder, filled below
#include <QTest>
class TstForm1Navigation : public QObject { Q_OBJECT };
QTEST_MAIN(TstForm1Navigation)
#include "tst_form1_navigation.moc"
