// The anchor of the start-up benchmark: the least a Qt program with one web
// view does before its window is on the screen. A bare window whose only
// child is a web view (it starts Chromium as the program's browsers do);
// bench_startup measures how long until it is mapped and drawn.
#include <QApplication>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <QWidget>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 400);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QWebEngineView(&window));
    window.show();
    return app.exec();
}
