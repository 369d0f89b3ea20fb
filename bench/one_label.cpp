// The least a Qt Widgets program does to show a window: the yardstick for
// the programs' start.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Step Program Editor");
    label.show();
    return app.exec();
}
