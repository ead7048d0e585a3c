// The start-up floor: a bare Qt program that shows an empty 498 × 356 window,
// waits for its first paint and quits.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Window window;
    window.setFixedSize(498, 356);
    window.show();
    return app.exec();
}
