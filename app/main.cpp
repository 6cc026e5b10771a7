#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(" Nameshift Pro");
    window.setWindowTitle(" Nameshift Pro");
    window.resize(480, 200);
    window.show();
    return QApplication::exec();
}
