// A bare Qt window of the program's size, the yardstick for its start-up: it reports its first
// painted frame as the program does with VELLARD_STARTZEIT=1, and ends.
#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class LeeresFenster : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::white);
        if (gemeldet_)
            return;
        gemeldet_ = true;
        std::fprintf(stderr, "erster Frame um %lld ms\n",
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }

private:
    bool gemeldet_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication anwendung(argc, argv);
    LeeresFenster fenster;
    fenster.setFixedSize(1008, 694);
    fenster.show();
    return anwendung.exec();
}
