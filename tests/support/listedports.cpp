#include "tests/support/listedports.h"

#include <windows.h>

#include <string>

TListedPorts::TListedPorts(const QMap<QString, QString>& ports) : ports_(ports) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, nullptr,
                  REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  key_ = key;
  for (auto port = ports_.cbegin(); port != ports_.cend(); ++port) {
    const std::wstring name = port.key().toStdWString();
    const std::wstring data = port.value().toStdWString();
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   DWORD((data.size() + 1) * sizeof(wchar_t)));
  }
}

TListedPorts::~TListedPorts() {
  const auto key = static_cast<HKEY>(key_);
  for (auto port = ports_.cbegin(); port != ports_.cend(); ++port)
    RegDeleteValueW(key, port.key().toStdWString().c_str());
  RegCloseKey(key);
}
