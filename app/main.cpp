#include <QApplication>

#include "app/forms.h"
#include "app/mainwindow.h"
#include "app/qtmodal.h"
#include "common/errors.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kiv Manager"));
  TQtModal modal;
  const TModalScope modalScope(modal);
  try {
    TApplicationForms forms;
    Form1->show();
    QApplication::exec();
  } catch (const Exception& error) {
    Modal().ShowError(WithFullStop(error.Message()));
  } catch (const std::exception&) {
    Modal().ShowError(QString());
  }
  return 0;
}
