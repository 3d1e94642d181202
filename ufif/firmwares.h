#pragma once
// The firmware table offered for UFIF 2.1 conversion, in list order.

#include <QStringList>

const QStringList& FirmwareTable();
