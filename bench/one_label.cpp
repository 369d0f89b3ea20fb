// The least a Qt Widgets program does to show a window: the yardstick for
// the programs' start. Given a width and a height, the label fills a window
// of that size: the yardstick for a first paint, whose time grows with the
// window's area.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Step Program Editor");
    if (argc == 3) label.resize(QString(argv[1]).toInt(), QString(argv[2]).toInt());
    label.show();
    return app.exec();
}
