// A bare Qt window of the program's size, the yardstick for its start-up and for the cost of a
// movement. Started plainly it reports its first painted frame as the program does with
// VELLARD_STARTZEIT=1, and ends. Started with --takt it stays open, and a mouse press makes it
// repaint a square of 97 x 97 pixels (about what a frame of a movement repaints) 357 times, one
// every 4 ms, as a movement from rest to "A" draws.
#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace {

class LeeresFenster : public QWidget {
public:
    explicit LeeresFenster(bool imTakt) : imTakt_(imTakt)
    {
        uhr_.setTimerType(Qt::PreciseTimer);
        uhr_.setSingleShot(true);
        connect(&uhr_, &QTimer::timeout, this, &LeeresFenster::naechstes);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), bilder_ % 2 ? Qt::lightGray : Qt::white);
        if (gemeldet_)
            return;
        gemeldet_ = true;
        std::fprintf(stderr, "erster Frame um %lld ms\n",
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        if (!imTakt_)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }

    void mousePressEvent(QMouseEvent*) override
    {
        bilder_ = 0;
        beginn_ = std::chrono::steady_clock::now();
        uhr_.start(0);
    }

private:
    void naechstes()
    {
        using namespace std::chrono;
        ++bilder_;
        repaint(100, 100, 97, 97);
        if (bilder_ == 357)
            return;
        const auto rest = beginn_ + bilder_ * milliseconds(4) - steady_clock::now();
        uhr_.start(std::max(ceil<milliseconds>(rest), milliseconds(0)));
    }

    const bool imTakt_;
    bool gemeldet_ = false;
    int bilder_ = 0;
    QTimer uhr_;
    std::chrono::steady_clock::time_point beginn_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication anwendung(argc, argv);
    LeeresFenster fenster(QCoreApplication::arguments().contains(QStringLiteral("--takt")));
    fenster.setFixedSize(1008, 694);
    fenster.show();
    return anwendung.exec();
}
