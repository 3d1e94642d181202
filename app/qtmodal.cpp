#include "app/qtmodal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

#include "app/emptytitle.h"
#include "app/folderprompt.h"
#include "common/texts.h"
#include "common/ui/busycursor.h"

namespace {

const QString ApplicationTitle = QStringLiteral("Kiv Manager");

// Boxes belong to the window of the widget that asks, so they centre on it.
QWidget* OwnerWindow(QObject* owner) {
  if (auto* widget = qobject_cast<QWidget*>(owner))
    return widget->window();
  return QApplication::activeWindow();
}

// Room a window manager's title bar takes beside the title: the window's icon and three
// buttons, with their margins.
constexpr int TitleBarExtras = 112;

// A box as narrow as "2 of 2 slots done" leaves its title bar too little room, and the
// window manager cuts even "ERROR" to "E...". The box grows to hold its title; QMessageBox
// sets its own size, so the room is a spacer in its layout.
void MakeRoomForTitle(QMessageBox& box, const QString& caption) {
  QFont title = box.font();
  title.setBold(true);
  const int width = QFontMetrics(title).horizontalAdvance(caption) + TitleBarExtras;
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid)
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
            QMessageBox::StandardButtons buttons, QWidget* parent,
            const QString& detail = QString()) {
  const TNormalCursor arrow;
  QMessageBox box(icon, caption, text, buttons, parent);
  box.setInformativeText(detail);
  // After the texts: setting one lays the box out anew.
  if (caption.isEmpty())
    ShowEmptyTitle(&box);
  else
    MakeRoomForTitle(box, caption);
  return box.exec();
}

}  // namespace

void TQtModal::ShowMessage(QObject* owner, const QString& text, const QString& caption) {
  ShowBox(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, OwnerWindow(owner));
}

void TQtModal::ShowMessageDetail(QObject* owner, const QString& text, const QString& detail,
                                 const QString& caption) {
  ShowBox(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, OwnerWindow(owner), detail);
}

void TQtModal::ShowWarning(QObject* owner, const QString& text, const QString& caption) {
  ShowBox(QMessageBox::Warning, caption, text, QMessageBox::Ok, OwnerWindow(owner));
}

bool TQtModal::Confirm(QObject* owner, const QString& text) {
  return ShowBox(QMessageBox::Question, TAppText::tr("Confirm"), text,
                 QMessageBox::Ok | QMessageBox::Cancel, OwnerWindow(owner)) == QMessageBox::Ok;
}

QString TQtModal::OpenFileName(QObject* owner, const QString& title) {
  const TNormalCursor arrow;
  return QFileDialog::getOpenFileName(OwnerWindow(owner), title);
}

QStringList TQtModal::OpenFiles(QObject* owner, const QString& title) {
  const TNormalCursor arrow;
  return QFileDialog::getOpenFileNames(OwnerWindow(owner), title);
}

QString TQtModal::SaveFileName(QObject* owner, const QString& title, const QString& suggested) {
  const TNormalCursor arrow;
  return QFileDialog::getSaveFileName(OwnerWindow(owner), title, suggested);
}

QString TQtModal::FolderName(QObject* owner, const QString& title, TFolderUse use) {
  const TNormalCursor arrow;
  if (use == TFolderUse::Existing)
    return QFileDialog::getExistingDirectory(OwnerWindow(owner), title);
  TFolderPrompt prompt(OwnerWindow(owner), title);
  return prompt.exec() == QDialog::Accepted ? prompt.Folder() : QString();
}

int TQtModal::Choose(QObject* owner, const QString& caption, const QString& text,
                     const QStringList& buttons) {
  const TNormalCursor arrow;
  QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, OwnerWindow(owner));
  MakeRoomForTitle(box, caption);
  QList<QAbstractButton*> choices;
  for (const QString& button : buttons)
    choices << box.addButton(button, QMessageBox::AcceptRole);
  // Escape and the title bar's close answer with none of them.
  QPushButton* none = box.addButton(QMessageBox::Cancel);
  none->hide();
  box.setEscapeButton(none);
  box.exec();
  return int(choices.indexOf(box.clickedButton()));
}

int TQtModal::ExecDialog(QDialog* dialog) {
  const TNormalCursor arrow;
  return dialog->exec();
}

void TQtModal::ShowError(const QString& message) {
  ShowBox(QMessageBox::Critical, ApplicationTitle, message, QMessageBox::Ok,
          QApplication::activeWindow());
}
