#pragma once
// A section described as the catalogue describes it, for inspect and list.

#include <QByteArray>
#include <QStringList>

#include "catalogue/slotinfo.h"
#include "cli/jsontext.h"

// The record of a section holding exactly these bytes, refreshed with the additional info
// from a cleared record.
TSlotInfo DescribeBytes(const QByteArray& head, qint32 size);

// "empty", "program", "gif" or "other", in the language of the run (English with --json).
QString KindName(TSlotKind kind);

// kind, caption, format_tag, label, icon_index, compressed, unpacked_size, size.
void AddSlotInfoJson(TJsonLine& json, const TSlotInfo& info);
// The same with the FW column's text as the label.
void AddSlotInfoJson(TJsonLine& json, const TSlotInfo& info, const QString& label);
// The readable form of inspect, one field per line.
QStringList SlotInfoText(const TSlotInfo& info);
