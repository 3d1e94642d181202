// Reaching every slot without the right mouse button: the keyboard (the context menu's
// keys, the commands' shortcuts), files dropped onto rows, the rows' tooltips and what
// the grid tells assistive technology, and the port box that takes only ports it has.

#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QUrl>
#include <initializer_list>

#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "app/manyslotmenu.h"
#include "app/menurules.h"
#include "catalogue/gridtext.h"
#include "catalogue/ui/windowcommand.h"
#include "common/errors.h"
#include "common/modal.h"
#include "common/texts.h"
#include "link/nvmsection.h"
#include "transfer/ui/transfercommands.h"
#include "ui_mainwindow.h"

namespace {

QChar DecimalPoint() {
  return QLocale().decimalPoint().at(0);
}

// Why a drop cannot be uploaded, or an empty text when it can: local files, no folder,
// onto a slot's row.
QString DropRefusal(const QMimeData& data, int row) {
  if (row < 1)
    return TAppText::tr("Drop refused: drop the file onto a slot's row.");
  const QList<QUrl> urls = data.urls();
  if (urls.isEmpty())
    return TAppText::tr("Drop refused: only a file on this computer can be uploaded.");
  for (const QUrl& url : urls) {
    if (!url.isLocalFile())
      return TAppText::tr("Drop refused: only a file on this computer can be uploaded.");
    if (QFileInfo(url.toLocalFile()).isDir())
      return TAppText::tr("Drop refused: a folder cannot be uploaded.");
  }
  return {};
}

}  // namespace

void TForm1::ConnectKeysAndDrops() {
  TDrawGrid* grid = ui->DrawGrid1;
  grid->SetContextKey([this] { OpenMenuForCurrentRow(); });
  grid->SetCellText([this](int col, int row) {
    if (row == 0)
      return HeaderCaption(col);
    return row < SlotTableSize
               ? CellText(col, row, Slots.at(row), CurrentSlotRanges(), DecimalPoint())
               : QString();
  });
  grid->SetRowToolTip([this](int row) {
    return row < SlotTableSize
               ? SlotDescription(row, Slots.at(row), CurrentSlotRanges(), DecimalPoint())
               : QString();
  });
  grid->SetDrop([this](const QMimeData& data, int row, const QPoint& at) {
    return DrawGrid1Drop(data, row, at);
  });
  grid->setFocus();

  // The menu shows each key beside its item (an action that lives only in a context menu is
  // never fired by its key); the window's shortcuts act, through SlotKey, which judges the
  // current row as the menu does. Delete acts only while the grid has the focus.
  const struct {
    QAction* Action;
    QKeySequence Keys;
  } keys[] = {{ui->RefreshAction, QKeySequence(Qt::Key_F5)},
              {ui->UploadAction, QKeySequence(Qt::CTRL | Qt::Key_U)},
              {ui->DownloadAction, QKeySequence(Qt::CTRL | Qt::Key_D)},
              {ui->ClearAction, QKeySequence(Qt::Key_Delete)}};
  for (const auto& key : keys) {
    key.Action->setShortcut(key.Keys);
    key.Action->setShortcutContext(Qt::WidgetShortcut);
    key.Action->setShortcutVisibleInContextMenu(true);
    const bool onGrid = key.Action == ui->ClearAction;
    auto* shortcut = new QShortcut(key.Keys, onGrid ? static_cast<QWidget*>(grid) : this);
    shortcut->setContext(onGrid ? Qt::WidgetShortcut : Qt::WindowShortcut);
    QAction* action = key.Action;
    connect(shortcut, &QShortcut::activated, this,
            [this, action] { RunCommand([this, action] { SlotKey(action); }); });
  }
  const QKeySequence fullRefreshKeys(Qt::CTRL | Qt::Key_F5);
  auto* fullRefresh = new QShortcut(fullRefreshKeys, this);
  connect(fullRefresh, &QShortcut::activated, ui->Button1, &QAbstractButton::click);

  // A panel control's tooltip names its keys: the Alt key of its own mnemonic, whichever
  // letter the language gives it, so the two always agree.
  for (QAbstractButton* button :
       std::initializer_list<QAbstractButton*>{ui->Button7, ui->Button6, ui->Button1, ui->Button3,
                                               ui->Button5, ui->CheckBox1, ui->Button2}) {
    QStringList named{QKeySequence::mnemonic(button->text()).toString(QKeySequence::NativeText)};
    if (button == ui->Button1)
      named << fullRefreshKeys.toString(QKeySequence::NativeText);
    button->setToolTip(
        QStringLiteral("%1 (%2)").arg(button->toolTip(), named.join(QStringLiteral(", "))));
  }

  connect(ui->ComboBox1->lineEdit(), &QLineEdit::editingFinished, this,
          [this] { PortTextEntered(); });
}

void TForm1::OpenMenuForCurrentRow() {
  const QScopedValueRollback<bool> atRow(menuAtRow_, true);
  DrawGrid1MouseUp(Qt::RightButton);
}

// The pointer for the right button; for the keyboard, the current row's caption, or the
// grid's top when the row is scrolled out of view.
QPoint TForm1::ContextMenuPoint() const {
  if (!menuAtRow_)
    return QCursor::pos();
  const TDrawGrid* grid = ui->DrawGrid1;
  const QRect cell = grid->CellRect(1, CurrentRow());
  const QRect view = grid->viewport()->rect();
  const QPoint at(qBound(view.left(), cell.left() + 20, view.right()),
                  qBound(view.top(), cell.isEmpty() ? 0 : cell.center().y(), view.bottom()));
  return grid->viewport()->mapToGlobal(at);
}

// A key of the context menu: for the current row, with the menu's enabling; Delete asks
// first, because a key is pressed by accident more easily than a menu item is chosen.
void TForm1::SlotKey(QAction* action) {
  const int row = CurrentRow();
  if (row < 1)
    return;
  const TMenuState state = MenuStateFor(Slots.at(row));
  const struct {
    QAction* Action;
    bool Enabled;
    void (TForm1::*Command)();
  } commands[] = {{ui->RefreshAction, state.Refresh, &TForm1::RefreshActionExecute},
                  {ui->UploadAction, state.Upload, &TForm1::UploadActionExecute},
                  {ui->DownloadAction, state.Download, &TForm1::DownloadActionExecute},
                  {ui->ClearAction, state.Clear, &TForm1::ClearActionExecute}};
  const TSectionAddress address = CurrentSlotAddress();
  for (const auto& command : commands) {
    if (command.Action != action)
      continue;
    if (!command.Enabled) {
      //: %1 is a command of the slot menu (Refresh, Upload...), %2 a slot as 18-9.
      SetStatusText(tr("%1 does not apply to %2.").arg(action->text(), address.Text()));
      return;
    }
    if (action == ui->ClearAction &&
        !Modal().Confirm(this, tr("Are you sure to clear section %1?").arg(address.Text())))
      return;
    (this->*command.Command)();
    return;
  }
}

// A file dropped onto a row: the row becomes current, and a menu at the drop offers the two
// uploads, each run as from the context menu with the file in place of the dialog. Several
// files give the plan of uploads from that row on.
bool TForm1::DrawGrid1Drop(const QMimeData& data, int row, const QPoint& at) {
  const QString refusal = DropRefusal(data, row);
  if (!refusal.isEmpty()) {
    SetStatusText(refusal);
    return false;
  }
  SelectRow(row);
  if (data.urls().size() > 1) {
    QStringList fileNames;
    for (const QUrl& url : data.urls())
      fileNames << url.toLocalFile();
    // After the drop has ended, so the plan's dialog does not hold the desktop's drag.
    QMetaObject::invokeMethod(
        this,
        [this, fileNames, row] {
          RunCommand([this, fileNames, row] { manySlotMenu_->UploadFilesFrom(fileNames, row); });
        },
        Qt::QueuedConnection);
    return true;
  }
  const QString fileName = data.urls().first().toLocalFile();
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("DropMenu"));
  connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
  const auto upload = [this, fileName](bool compressed) {
    RunCommand([this, fileName, compressed] { UploadDroppedFile(fileName, compressed); });
  };
  menu->addAction(ui->UploadAction->text(), this, [upload] { upload(false); });
  menu->addAction(ui->UploadLZOAction->text(), this, [upload] { upload(true); });
  menu->popup(at);
  return true;
}

void TForm1::UploadDroppedFile(const QString& fileName, bool compressed) {
  TWindowCommand command = CurrentSlotCommand();
  UploadCommand(command, compressed, fileName);
}

// The box lists the ports the link can use; typed text names one of them or is refused.
void TForm1::PortTextEntered() {
  QComboBox* box = ui->ComboBox1;
  const QString inUse = box->itemText(box->currentIndex());
  const QString typed = box->currentText().trimmed();
  if (typed == inUse)
    return;
  const int index = box->findText(typed, Qt::MatchFixedString);
  if (index >= 0) {
    box->setCurrentIndex(index);
    box->setEditText(box->itemText(index));
    return;
  }
  box->setEditText(inUse);
  if (typed.isEmpty())
    return;
  //: %1 is what the user typed, %2 and %3 the first and last port (COM1, COM4), %4 the port
  //: in use.
  SetStatusText(tr("There is no port %1 (only %2 to %3): the link stays on %4.")
                    .arg(typed, box->itemText(0), box->itemText(box->count() - 1), inUse));
}

void TForm1::DrawGrid1MouseUp(Qt::MouseButton Button) {
  if (Button != Qt::RightButton || commandRunning_)
    return;
  QAction* const menuActions[] = {ui->RefreshAction,   ui->ClearAction,   ui->UploadAction,
                                  ui->UploadLZOAction, ui->PlayGIFAction, ui->DownloadAction,
                                  ui->ConvertAction};
  for (QAction* action : menuActions)
    action->setEnabled(false);
  // A grid without slot rows has no current slot to offer commands for.
  const int row = CurrentRow();
  if (row < 1)
    return;
  const TMenuState state = MenuStateFor(Slots.at(row));
  ui->RefreshAction->setEnabled(state.Refresh);
  ui->ClearAction->setEnabled(state.Clear);
  ui->UploadAction->setEnabled(state.Upload);
  ui->UploadLZOAction->setEnabled(state.UploadLZO);
  ui->PlayGIFAction->setEnabled(state.PlayGIF);
  ui->DownloadAction->setEnabled(state.Download);
  ui->ConvertAction->setEnabled(state.Convert);
  PopupMenu1->popup(ContextMenuPoint());
}

void TForm1::Button2Click() {
  dialogs_.About->ShowLink(NVM->LibraryFile(), NVM->HowItRuns(), NVM->DemoPhone());
  Modal().ExecDialog(dialogs_.About);
}
