#pragma once
// What the tests through real Wine share. Each program runs for one width, KIV_TEST_WINE_BITS
// (64 unless 32), with the Windows link host and the Windows virtual phone of that width, in
// the build tree's shared prefix (WINEPREFIX, made by the first-use test). Where this
// machine's Wine cannot run programs of that width the program says why and exits with 77,
// which CTest reports as skipped; the 64-bit run counts that as a failure. At the end the
// prefix's wineserver is ended.

#include <QObject>
#include <QString>

class TVirtualPhone;

int WineBits();
// The Windows virtual phone of the width, bin/win64/gbp.dll.
QString WindowsPhone();
// The test's serial library of the width, bin/win64/serialphone/gbp.dll (tests/wine/serialgbp).
QString SerialPhone();
// A file of the build's bin folder.
QString BinFile(const QString& name);

// The Windows build keeps port N in the folder portN: here it is the Linux build's COMN.
void ShareWithWindows(const TVirtualPhone& phone, int port = 1);
// Ends the wineserver of the prefix and everything Wine runs in it.
void EndWineserver(const QString& prefix);

// Runs the test object's functions; see above.
int RunWineTest(QObject& test, int argc, char** argv);

#define WINE_TEST_MAIN(TestClass, ApplicationClass) \
  int main(int argc, char** argv) {                 \
    ApplicationClass application(argc, argv);       \
    TestClass test;                                 \
    return RunWineTest(test, argc, argv);           \
  }
