#include "charts/polar/PolarSolver.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace tarvex;
using namespace tarvex::polar_solver;

namespace {
constexpr double kPi = 3.14159265358979;

struct Recorder {
    QStringList texts;
    MessageSink callback()
    {
        return [this](const QString& t) { texts << t; };
    }
};
} // namespace

class TestPolarSolver : public QObject {
    Q_OBJECT
private slots:
    void places_data()
    {
        QTest::addColumn<double>("angle");
        QTest::addColumn<double>("radius");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("bearing 0") << 0.0 << 900.0 << 0.0 << 900.0;
        QTest::newRow("30 degrees") << kPi / 180 * 30 << 900.0 << 450.0 << 779.42;
        QTest::newRow("60 degrees") << kPi / 180 * 60 << 900.0 << 779.42 << 450.0;
        QTest::newRow("rounded right angle") << 1.57 << 750.0 << 750.0 << 0.6;
        QTest::newRow("0.52") << 0.52 << 600.0 << 298.13 << 520.69;
        QTest::newRow("negative radius") << 3.14 << -250.0 << -0.4 << 250.0;
        QTest::newRow("spoke 210") << kPi / 180 * 210 << 900.0 << -450.0 << -779.42;
        QTest::newRow("spoke 300") << kPi / 180 * 300 << 900.0 << -779.42 << 450.0;
        QTest::newRow("radius 0 at 0") << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("radius 0 at 1.05") << 1.05 << 0.0 << 0.0 << 0.0;
        QTest::newRow("radius 0 at 4.71") << 4.71 << 0.0 << 0.0 << 0.0;
        QTest::newRow("radius 0 negative angle") << -2.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("bearing 180") << 3.14 << 500.0 << 0.8 << -500.0;
        QTest::newRow("-0 x at 180") << 3.14 << 0.001 << 0.0 << 0.0;
    }
    void places()
    {
        QFETCH(double, angle);
        QFETCH(double, radius);
        QFETCH(double, x);
        QFETCH(double, y);
        Recorder messages;
        const ChartPoint p = SolvePolarPoint(angle, radius, messages.callback());
        QCOMPARE(p.X, x);
        QCOMPARE(p.Y, y);
        // -0 is no separate result: it must print and compare as 0.
        QVERIFY(!std::signbit(p.X) || p.X != 0.0);
        QVERIFY(!std::signbit(p.Y) || p.Y != 0.0);
        QVERIFY(messages.texts.isEmpty());
    }

    // The elimination, not x = r sin, y = r cos: at the unrounded right angle
    // its back substitution cancels two numbers of the order of 1e17, and the
    // Y coordinate is visibly wrong where the direct formula gives 0.
    void unroundedRightAngleShowsTheEliminationsError()
    {
        const ChartPoint p = SolvePolarPoint(kPi / 2, 900);
        QCOMPARE(p.X, 900.0);
        QVERIFY2(std::fabs(p.Y) > 1.0, qPrintable(QString::number(p.Y)));
    }

    void halvesGoToTheEvenHundredth()
    {
        // 0.125 is exact in binary: the elimination at bearing 0 passes the
        // radius through unchanged, so the rounding alone decides.
        QCOMPARE(SolvePolarPoint(0, 0.125).Y, 0.12);
        QCOMPARE(SolvePolarPoint(0, 0.375).Y, 0.38);
        QCOMPARE(SolvePolarPoint(0, -0.125).Y, -0.12);
    }

    void nonFiniteAngleHasNoPivot_data()
    {
        QTest::addColumn<double>("angle");
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("-infinity") << -std::numeric_limits<double>::infinity();
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    }
    void nonFiniteAngleHasNoPivot()
    {
        // cos, sin and tan fail and are skipped, leaving column 1 all zero.
        QFETCH(double, angle);
        Recorder messages;
        const ChartPoint p = SolvePolarPoint(angle, 500, messages.callback());
        QCOMPARE(messages.texts, QStringList{kMatrixNoUniqueSolution});
        QCOMPARE(p.X, 0.0);
        QCOMPARE(p.Y, 0.0);
    }

    void overflowIsPassedOver()
    {
        // radius / cos overflows near the right angle: that statement is
        // skipped, nothing is reported and the result is still a number.
        Recorder messages;
        const ChartPoint p = SolvePolarPoint(kPi / 2, 1e308, messages.callback());
        QVERIFY(messages.texts.isEmpty());
        QVERIFY(std::isfinite(p.X));
        QVERIFY(std::isfinite(p.Y));

        Augmented a{{{1e-300, 1.0, 1e300}, {1.0, 1.0, 0.0}}};
        QVERIFY(EliminateForward(a, messages.callback()));
        QCOMPARE(a[0][0], 1.0);
        QCOMPARE(a[0][2], 1e300);   // 1e300 / 1e-300 failed: kept
        QVERIFY(messages.texts.isEmpty());
    }

    void elimination_data()
    {
        QTest::addColumn<double>("a11");
        QTest::addColumn<double>("a12");
        QTest::addColumn<double>("b1");
        QTest::addColumn<double>("a21");
        QTest::addColumn<double>("a22");
        QTest::addColumn<double>("b2");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<double>("u1");
        QTest::addColumn<double>("u2");
        QTest::newRow("plain") << 2.0 << 1.0 << 5.0 << 1.0 << -1.0 << 1.0 << QStringList{} << 2.0 << 1.0;
        QTest::newRow("rows exchanged") << 0.0 << 1.0 << 2.0 << 1.0 << 0.0 << 3.0 << QStringList{} << 3.0 << 2.0;
        QTest::newRow("column 1 empty") << 0.0 << 1.0 << 2.0 << 0.0 << 3.0 << 3.0
                                        << QStringList{kMatrixNoUniqueSolution} << 0.0 << 0.0;
        QTest::newRow("dependent rows") << 1.0 << 2.0 << 3.0 << 2.0 << 4.0 << 6.0
                                        << QStringList{kMatrixNoUniqueSolution} << 0.0 << 0.0;
    }
    void elimination()
    {
        QFETCH(double, a11);
        QFETCH(double, a12);
        QFETCH(double, b1);
        QFETCH(double, a21);
        QFETCH(double, a22);
        QFETCH(double, b2);
        QFETCH(QStringList, messages);
        QFETCH(double, u1);
        QFETCH(double, u2);
        Recorder shown;
        Augmented a{{{a11, a12, b1}, {a21, a22, b2}}};
        Solution u{0.0, 0.0};
        if (EliminateForward(a, shown.callback()))
            u = BackSubstitute(a, shown.callback());
        QCOMPARE(shown.texts, messages);
        QCOMPARE(u[0], u1);
        QCOMPARE(u[1], u2);
    }

    // A pivot is normalised to 1, so after EliminateForward neither diagonal
    // entry can be zero; the back substitution still guards both.
    void backSubstitutionGuards_data()
    {
        QTest::addColumn<double>("a11");
        QTest::addColumn<double>("a22");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("u1");
        QTest::addColumn<double>("u2");
        QTest::newRow("last diagonal zero") << 1.0 << 0.0 << kNoUniqueSolution << 0.0 << 0.0;
        QTest::newRow("first diagonal zero") << 0.0 << 1.0 << kDivisionByZero << 0.0 << 4.0;
    }
    void backSubstitutionGuards()
    {
        QFETCH(double, a11);
        QFETCH(double, a22);
        QFETCH(QString, message);
        QFETCH(double, u1);
        QFETCH(double, u2);
        Recorder shown;
        const Augmented a{{{a11, 0.5, 3.0}, {0.0, a22, 4.0}}};
        const Solution u = BackSubstitute(a, shown.callback());
        QCOMPARE(shown.texts, QStringList{message});
        QCOMPARE(u[0], u1);
        QCOMPARE(u[1], u2);
    }
};

QTEST_APPLESS_MAIN(TestPolarSolver)
#include "tst_polar_solver.moc"
