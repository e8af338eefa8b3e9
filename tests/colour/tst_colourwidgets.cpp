// placeholder
#include <QtTest>
class TestColourWidgets : public QObject { Q_OBJECT };
QTEST_MAIN(TestColourWidgets)
#include "tst_colourwidgets.moc"
