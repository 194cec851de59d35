// Start-up time to the main window shown, and resident memory after start-up,
// against a minimal Qt Widgets program: a window with a menu bar, a label and
// a small table showing text, so that the floor pays for font set-up and text
// drawing as the program does. Both run as fresh processes (this program
// re-executing itself), alternately, and the medians are compared.
#include "frmMain.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

long residentKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

std::unique_ptr<QWidget> minimalWindow()
{
    auto w = std::make_unique<QMainWindow>();
    w->setWindowTitle(QStringLiteral("Floor"));
    QMenu* file = w->menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open"));
    file->addAction(QStringLiteral("E&xit"));
    w->menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(new QLabel(QStringLiteral("Load along the shaft")));
    auto* table = new QTableWidget(3, 2);
    table->setHorizontalHeaderLabels({QStringLiteral("X"), QStringLiteral("Y")});
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            table->setItem(r, c, new QTableWidgetItem(QString::number((r + 1) * 10 + c * 2.5)));
    layout->addWidget(table);
    w->setCentralWidget(central);
    w->resize(400, 300);
    return w;
}

int child(int argc, char* argv[], bool full)
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> w;
    if (full)
        w = std::make_unique<tarvex::frmMain>(tarvex::makeQtPlatform());
    else
        w = minimalWindow();
    w->show();
    while (!w->isVisible())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    std::printf("shown %ld\n", residentKiB());
    std::fflush(stdout);
    return 0;
}

struct Sample {
    double ms;
    long kib;
};

Sample runOnce(const QString& self, const QString& mode)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(self, {QStringLiteral("--child"), mode});
    p.waitForStarted();
    QByteArray out;
    while (!out.contains('\n') && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(5000);
        out += p.readAllStandardOutput();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished();
    const long kib = out.trimmed().split(' ').value(1).toLong();
    return {ms, kib};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QByteArray(argv[2]) == "full");

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> tFull, tMin, mFull, mMin;
    runOnce(self, QStringLiteral("full")); // warm the file cache
    for (int i = 0; i < 7; ++i) {
        const Sample a = runOnce(self, QStringLiteral("minimal"));
        const Sample b = runOnce(self, QStringLiteral("full"));
        tMin.push_back(a.ms);
        mMin.push_back(double(a.kib));
        tFull.push_back(b.ms);
        mFull.push_back(double(b.kib));
    }
    std::printf("BENCH startup_ms_to_main_window %.3f %.3f 1.5\n", median(tFull), median(tMin));
    std::printf("BENCH startup_resident_kib %.0f %.0f 1.5\n", median(mFull), median(mMin));
    return 0;
}
