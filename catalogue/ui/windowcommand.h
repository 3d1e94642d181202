#pragma once
// What a window command works with: the window that owns its dialogs, the phone port, the
// slot catalogue, the current row's section, the window's reporter and interaction, and where
// its changes are kept.

#include "catalogue/ops/refreshslots.h"

class QWidget;
class TInteraction;
class TPhonePort;
class TReporter;
struct THistoryConfig;

struct TWindowCommand {
  QWidget* Owner;
  TPhonePort& Port;
  TCatalogue Catalogue;
  TSectionAddress Slot;
  TReporter& Reporter;
  TInteraction& Interaction;
  const THistoryConfig& History;
};
