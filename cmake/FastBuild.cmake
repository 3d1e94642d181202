# KIV_PCH: the Qt headers nearly every file includes, precompiled once per library. It takes
# about 40 % off a first build, so ./run.sh and the package build turn it on. Off by default:
# ccache, which developers' builds rely on, does not cache compilations that use a
# precompiled header unless told to.
option(KIV_PCH "Precompile the common Qt headers (a faster first build)" OFF)
if(KIV_PCH)
  set(kiv_pch_core <QString> <QByteArray> <QStringList> <QList> <QVector>)
  if(TARGET kivcore)
    target_precompile_headers(kivcore PRIVATE ${kiv_pch_core})
    foreach(library IN ITEMS kivlink kivnvmlib)
      if(TARGET ${library})
        target_precompile_headers(${library} REUSE_FROM kivcore)
      endif()
    endforeach()
  endif()
  if(TARGET kivgui)
    target_precompile_headers(kivgui PRIVATE
      ${kiv_pch_core} <QApplication> <QWidget> <QDialog> <QLabel> <QComboBox>)
  endif()
endif()
