# Makes a ready install folder, laid out as the installer leaves it: KFP.exe, Uninstall.exe,
# Settings.xml and the language folders EN, FR and RU with their word lists, samples and
# manuals. Run at every build with
#   cmake -DKF_EXE=<quillkey.exe> -DKF_UNINSTALLER=<quilluninstall.exe> -DKF_DATA=<data folder>
#         -DKF_OUT=<install folder> -P stage_install.cmake
# Settings.xml is replaced only when the default document is newer than the staged one, so
# the settings a user changed by running the tutor from this folder survive a rebuild; files
# the tutor writes (TraceFile.txt, Report.htm, Custom_Words.dat) are never touched.
foreach(var KF_EXE KF_UNINSTALLER KF_DATA KF_OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "stage_install.cmake needs -D${var}=...")
  endif()
endforeach()

file(MAKE_DIRECTORY "${KF_OUT}")
if(EXISTS "${KF_EXE}")
  file(COPY_FILE "${KF_EXE}" "${KF_OUT}/KFP.exe" ONLY_IF_DIFFERENT)
else()
  message(FATAL_ERROR "the tutor program ${KF_EXE} is missing")
endif()

if(EXISTS "${KF_UNINSTALLER}")
  file(COPY_FILE "${KF_UNINSTALLER}" "${KF_OUT}/Uninstall.exe" ONLY_IF_DIFFERENT)
else()
  message(FATAL_ERROR "the uninstaller ${KF_UNINSTALLER} is missing")
endif()

set(settings "${KF_DATA}/Settings.xml")
if(EXISTS "${settings}")
  if("${settings}" IS_NEWER_THAN "${KF_OUT}/Settings.xml")
    file(COPY "${settings}" DESTINATION "${KF_OUT}")
  endif()
else()
  message(WARNING "no default ${settings} yet: the install folder has no Settings.xml")
endif()

foreach(lang EN FR RU)
  if(IS_DIRECTORY "${KF_DATA}/${lang}")
    file(COPY "${KF_DATA}/${lang}" DESTINATION "${KF_OUT}")
  endif()
endforeach()
