#pragma once
// manifest.json of a backup folder: the port, the time, and for every section its address,
// size and SHA-256 (or that it was empty, or missing because the phone failed).

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "catalogue/slotmap.h"

struct TManifestEntry {
  enum TState { Stored, Empty, Missing };
  TSectionAddress Address;
  TState State = Stored;
  qint64 Size = 0;
  QByteArray Sha256;  // lower-case hexadecimal
  QString Error;      // why a missing section could not be read
};

struct TManifest {
  QString Port;
  QDateTime Time;
  QList<TManifestEntry> Entries;
};

constexpr char ManifestFileName[] = "manifest.json";
// A manifest of the 99 slots and three more sections takes a few dozen kilobytes.
constexpr qint64 ManifestLimit = 1024 * 1024;

QByteArray Sha256Hex(const QByteArray& bytes);
QByteArray ManifestJson(const TManifest& manifest);
// Throws TCommandFailed naming what is wrong with the manifest.
TManifest ParseManifest(const QByteArray& json);
