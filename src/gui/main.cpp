#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trivex"));
  QMainWindow w;
  w.show();
  return QApplication::exec();
}
