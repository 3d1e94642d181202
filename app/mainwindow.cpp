#include "app/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <functional>

#include "app/editmenu.h"
#include "app/fittexts.h"
#include "app/flowlayout.h"
#include "app/gridpainter.h"
#include "app/languagemenu.h"
#include "app/linkthread.h"
#include "app/manyslotmenu.h"
#include "app/phonelinkmenu.h"
#include "app/placement.h"
#include "app/statuslabel.h"
#include "app/windowface.h"
#include "app/workpanel.h"
#include "common/errors.h"
#include "common/messages.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "settings/ui/expertsform.h"
#include "ui_mainwindow.h"

TForm1* Form1 = nullptr;

namespace {
constexpr int StatusBarHeight = 19;
// The gaps the drawn panel leaves between its controls, and around them within its frame.
constexpr int PanelSpacing = 4;
constexpr int PanelRowSpacing = 3;
constexpr QMargins PanelMargins(7, 3, 7, 3);

bool SameRanges(const TSlotRanges& a, const TSlotRanges& b) {
  return a.FirstBig == b.FirstBig && a.BigSlots == b.BigSlots && a.FirstSmall == b.FirstSmall &&
         a.SmallSlots == b.SmallSlots;
}

QList<QRect> ScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens())
    areas << screen->availableGeometry();
  return areas;
}
}  // namespace

TForm1::TForm1(const QString& settingsPath, const THistoryConfig& history)
    : ui(std::make_unique<Ui::TForm1>()),
      settingsPath_(settingsPath.isEmpty() ? SettingsFileOf(QCoreApplication::applicationFilePath())
                                           : settingsPath),
      history_(history) {
  ui->setupUi(this);
  if (!TextsFit(ui->Panel1))
    FlowPanel();
  QFont gridFont(QStringLiteral("Arial"));
  gridFont.setBold(true);
  gridFont.setPixelSize(12);
  ui->DrawGrid1->setFont(gridFont);
  gridPainter_ = std::make_unique<TGridPainter>(Slots, *ui->DrawGrid1);
  ui->DrawGrid1->SetDrawCell([this](QPainter& canvas, int col, int row, const QRect& rect) {
    DrawGrid1DrawCell(canvas, col, row, rect);
  });
  ui->DrawGrid1->SetMouseUp([this](Qt::MouseButton button) { DrawGrid1MouseUp(button); });
  // A scroll bar that comes or goes changes the client width as a resize of the window does.
  ui->DrawGrid1->SetClientResized([this] { FormResize(); });

  statusText_ = new TStatusLabel(ui->StatusBar);
  statusText_->setObjectName(QStringLiteral("StatusText"));
  ui->StatusBar->addWidget(statusText_, 1);
  demoPhone_ = new QLabel(DemoPhoneText(), ui->StatusBar);
  demoPhone_->setObjectName(QStringLiteral("DemoPhone"));
  ui->StatusBar->addPermanentWidget(demoPhone_);
  ui->StatusBar->setFixedHeight(StatusBarHeight);

  face_ = std::make_unique<TWindowFace>(*this, *this, dialogs_);
  CreatePopupMenu();
  ConnectCommands();
  AddDetailsAndPhoneLog();
  manySlotMenu_ = std::make_unique<TManySlotMenu>(*this, dialogs_, *PopupMenu1);
  editMenu_ = std::make_unique<TEditMenu>(*this, dialogs_, *ui->EditMenu, *ui->UndoAction,
                                          *ui->HistoryAction);
  new TLanguageMenu(ui->ViewMenu, [this] { return SettingsPath(); });
  ConnectKeysAndDrops();
  const TSettingsRead settings = ReadSettings(SettingsPath());
  settingsProblem_ = settings.Problem;
  NVM = new TNVMSection(this, settings.Link);
  NVM->setObjectName(QStringLiteral("NVM"));
  connect(NVM, &TNVMSection::Notice, this, &TForm1::SetStatusText);
  ShowDemoPhone();
  // Created after NVM, so it is destroyed after NVM has closed the link through it.
  linkThread_ = new TLinkThread(this);
  NVM->SetExecutor(linkThread_);
  phoneLinkMenu_ =
      std::make_unique<TPhoneLinkMenu>(*this, dialogs_, *linkThread_, *ui->PhoneLinkAction);
  workPanel_ = new TWorkPanel(ui->StatusBar);
  connect(linkThread_, &TLinkThread::CallRunningFor, workPanel_, &TWorkPanel::ShowCallRunning);
  connect(linkThread_, &TLinkThread::CallFinished, workPanel_, &TWorkPanel::CallFinished);
  // Cancel stops between sections; a call that has outrun its time by then is not waited for.
  connect(linkThread_, &TLinkThread::CallRunningFor, this, [this] {
    if (workPanel_->CancelRequested())
      NVM->AbandonOverdueCall();
  });
}

TForm1::~TForm1() {
  // NVM closes the link as it goes, while the window's widgets are being taken apart.
  linkThread_->StopServingEvents();
}

// The panel's places are drawn for the English captions. A translation's longer ones keep
// their tab order in rows as wide as the window, wrapping to more rows, each control at least
// as large as drawn.
void TForm1::FlowPanel() {
  auto* flow = new TFlowLayout(ui->Panel1, PanelSpacing, PanelRowSpacing);
  flow->setContentsMargins(PanelMargins);
  for (QWidget* control :
       std::initializer_list<QWidget*>{ui->ComboBox1, ui->Button7, ui->Button6, ui->Button1,
                                       ui->Button3, ui->Button5, ui->CheckBox1, ui->Button2}) {
    control->setMinimumSize(control->size());
    flow->addWidget(control);
  }
  ui->Panel1->setMaximumHeight(QWIDGETSIZE_MAX);
}

void TForm1::CreatePopupMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  PopupMenu1->addActions({ui->RefreshAction, ui->UploadAction, ui->UploadLZOAction, ui->ClearAction,
                          ui->DownloadAction, ui->PlayGIFAction, ui->ConvertAction});
}

// Every command runs inside RunCommand, so the errors it raises end it with the error box
// instead of crossing the signal.
void TForm1::ConnectCommands() {
  const auto onClick = [this](QAbstractButton* button, void (TForm1::*handler)()) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
  };
  const auto onTrigger = [this](QAction* action, void (TForm1::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
  };
  onClick(ui->Button1, &TForm1::Button1Click);
  onClick(ui->Button2, &TForm1::Button2Click);
  onClick(ui->Button3, &TForm1::Button3Click);
  onClick(ui->Button5, &TForm1::Button5Click);
  onClick(ui->Button6, &TForm1::Button6Click);
  onClick(ui->Button7, &TForm1::Button7Click);
  onTrigger(ui->RefreshAction, &TForm1::RefreshActionExecute);
  onTrigger(ui->ClearAction, &TForm1::ClearActionExecute);
  onTrigger(ui->UploadAction, &TForm1::UploadActionExecute);
  onTrigger(ui->PlayGIFAction, &TForm1::PlayGIFActionExecute);
  onTrigger(ui->DownloadAction, &TForm1::DownloadActionExecute);
  onTrigger(ui->GetPrefAction, &TForm1::GetPrefActionExecute);
  onTrigger(ui->SetPrefAction, &TForm1::SetPrefActionExecute);
  onTrigger(ui->ConvertAction, &TForm1::ConvertActionExecute);
  onTrigger(ui->UploadLZOAction, &TForm1::UploadLZOActionExecute);
  onTrigger(ui->BackupAction, &TForm1::BackupActionExecute);
  onTrigger(ui->RestoreAction, &TForm1::RestoreActionExecute);
  connect(ui->QuitAction, &QAction::triggered, this, &TForm1::close);
  connect(ui->ComboBox1, qOverload<int>(&QComboBox::currentIndexChanged), this,
          [this](int index) { GuardCommand([this, index] { ComboBox1Change(index); }); });
}

// Painted when the event loop next turns: it turns while each call of the phone runs.
void TForm1::SetStatusText(const QString& text) {
  if (statusText_->text() != text)
    statusText_->setText(text);
}

QString TForm1::StatusText() const {
  return statusText_->text();
}

int TForm1::CurrentRow() const {
  return ui->DrawGrid1->Row();
}

void TForm1::SelectRow(int row) {
  ui->DrawGrid1->SetRow(row);
}

TSectionAddress TForm1::CurrentSlotAddress() const {
  return SlotAddress(CurrentRow(), CurrentSlotRanges());
}

QList<int> TForm1::SelectedRows() const {
  return ui->DrawGrid1->SelectedRows();
}

void TForm1::RepaintGrid() {
  ui->DrawGrid1->viewport()->repaint();
}

void TForm1::RowChanged(int row) {
  if (row >= 1 && row < SlotTableSize && !(Slots.at(row) == gridPainter_->Painted().at(row)))
    ui->DrawGrid1->RepaintRow(row);
  ui->DrawGrid1->RowChanged(row);
}

void TForm1::DrawGrid1DrawCell(QPainter& canvas, int ACol, int ARow, const QRect& Rect) {
  gridPainter_->DrawCell(canvas, ACol, ARow, Rect);
}

void TForm1::ChoosePort(int port) {
  ui->ComboBox1->setCurrentIndex(port - 1);
}

void TForm1::ComboBox1Change(int index) {
  if (index >= 0 && index < COMPortCount)
    NVM->SetCOMPort(TNVMSection::TNVMCOMPortName(index));
}

void TForm1::FormResize() {
  TDrawGrid* grid = ui->DrawGrid1;
  grid->SetColWidth(1, grid->ClientWidth() - grid->ColWidth(0) - grid->ColWidth(2));
}

// The settings are loaded as the window is first shown, before the window system has it: a
// stored position then places the frame, as it was saved. Once the window system has the
// window but has not framed it yet, Qt cannot tell the frame from the client area, and each
// start would climb by a title bar.
void TForm1::setVisible(bool visible) {
  if (visible && !shown_) {
    shown_ = true;
    GuardCommand([this] { FormShow(); });
  }
  QMainWindow::setVisible(visible);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Phone work is never cut off half-way: the window closes once the command has ended,
  // and work over several sections stops at the next section.
  if (commandRunning_) {
    closePending_ = true;
    workPanel_->RequestCancel();
    event->ignore();
    return;
  }
  FormClose();
  QMainWindow::closeEvent(event);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

// One command at a time: while it runs, the window's other commands are disabled and the
// status bar shows the phone's progress.
void TForm1::RunCommand(const std::function<void()>& command) {
  if (commandRunning_)
    return;
  commandRunning_ = true;
  SetCommandsEnabled(false);
  workPanel_->Begin();
  GuardCommand(command);
  workPanel_->End();
  SetCommandsEnabled(true);
  commandRunning_ = false;
  // Whatever the command changed, Ctrl+Z takes back what the menu now names.
  editMenu_->UpdateUndoAction();
  ShowDemoPhone();
  if (std::exchange(closePending_, false))
    close();
}

// Quitting and the phone log stay at hand; everything that starts phone work waits.
void TForm1::SetCommandsEnabled(bool enabled) {
  ui->Panel1->setEnabled(enabled);
  if (enabled) {
    for (const QPointer<QAction>& action : std::exchange(disabledActions_, {})) {
      if (action)
        action->setEnabled(true);
    }
    return;
  }
  for (QAction* action : findChildren<QAction*>()) {
    if (action->isEnabled() && action != ui->QuitAction && action != ui->PhoneLogAction &&
        !action->isSeparator() && !action->menu()) {
      action->setEnabled(false);
      disabledActions_ << action;
    }
  }
}

QString TForm1::SettingsPath() const {
  return settingsPath_;
}

TManagerSettings TForm1::CurrentSettings() const {
  TManagerSettings settings;
  // Position of the frame, size of the client area: what move() and resize() take back.
  settings.Top = y();
  settings.Left = x();
  settings.Width = width();
  settings.Height = height();
  settings.COMPort = ui->ComboBox1->currentIndex();
  settings.Ranges = CurrentSlotRanges();
  settings.UFIFFW = dialogs_.Experts ? dialogs_.Experts->FirmwareIndex() : loadedFirmware_;
  return settings;
}

void TForm1::ApplySettings(const TManagerSettings& settings) {
  // A placement stored on a screen that is gone would hide the window.
  const QRect stored(settings.Left, settings.Top, settings.Width, settings.Height);
  move(PlacedOnScreens(stored, ScreenAreas()).topLeft());
  resize(settings.Width, settings.Height);
  ui->ComboBox1->setCurrentIndex(settings.COMPort);
  NVM->SetCOMPort(TNVMSection::TNVMCOMPortName(ui->ComboBox1->currentIndex()));
  SetCurrentSlotRanges(settings.Ranges);
  loadedFirmware_ = settings.UFIFFW;
  if (dialogs_.Experts)
    dialogs_.Experts->SetFirmwareIndex(settings.UFIFFW);
  FormResize();
  ui->DrawGrid1->SetRowCount(settings.Ranges.BigSlots + settings.Ranges.SmallSlots + 1);
  // A row's record stays true while the row names the same section; new ranges rename them.
  if (!recordedRanges_ || !SameRanges(*recordedRanges_, settings.Ranges)) {
    Slots.fill(TSlotInfo{});
    recordedRanges_ = settings.Ranges;
  }
  RepaintGrid();
  FillOptionsDialog(settings);
}

void TForm1::FillOptionsDialog(const TManagerSettings& settings) {
  if (dialogs_.Experts)
    dialogs_.Experts->SetRangeFields(FieldsForRanges(settings.Ranges));
}

void TForm1::LoadSettings() {
  const TSettingsRead read = ReadSettings(SettingsPath());
  ApplySettings(read.Manager);
  // A file mended since the last load gives its link again, one spoilt since none.
  if (read.Problem != std::exchange(settingsProblem_, read.Problem))
    NVM->UseChoice(read.Link);
  if (!read.Ok())
    SetStatusText(tr("%1. Nothing is done with the phone until it can be read, or a phone link "
                     "is chosen in File > Phone link...")
                      .arg(read.Problem));
}

void TForm1::ShowDemoPhone() {
  demoPhone_->setVisible(NVM->DemoPhone());
}

void TForm1::SaveSettings() {
  WriteSettingsFile(SettingsPath(), CurrentSettings());
}

void TForm1::FormShow() {
  LoadSettings();
}

// A settings file that cannot be written must not keep the user from closing the manager:
// the error is shown and the window closes all the same.
void TForm1::FormClose() {
  GuardCommand([this] { SaveSettings(); });
}

void TForm1::Button7Click() {
  SaveSettings();
  // The dialog refuses unusable ranges before it closes; checked again here so that
  // nothing is taken unless all four fields are.
  const std::optional<TSlotRanges> ranges = Modal().ExecDialog(dialogs_.Experts) == mrOk
                                                ? dialogs_.Experts->CheckedRanges()
                                                : std::nullopt;
  if (ranges) {
    SetCurrentSlotRanges(*ranges);
    try {
      SaveSettings();
    } catch (const EIniFileException&) {
      // The new ranges are in force: the grid must show them, or its rows would address
      // other sections than the records they show.
      ApplySettings(CurrentSettings());
      throw;
    }
  }
  LoadSettings();
}
