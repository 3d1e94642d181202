#pragma once
// Windows only: COM ports the system lists (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM), added as a
// serial driver adds them, for as long as the object lives; Find phone tries what is listed.
// The header keeps <windows.h> out, whose macros would rename the callers' names.

#include <QMap>
#include <QString>

class TListedPorts {
 public:
  // Value name ("\Device\KivTest1") to port ("COM1").
  explicit TListedPorts(const QMap<QString, QString>& ports);
  ~TListedPorts();
  TListedPorts(const TListedPorts&) = delete;
  TListedPorts& operator=(const TListedPorts&) = delete;

 private:
  QMap<QString, QString> ports_;
  void* key_ = nullptr;  // HKEY
};
