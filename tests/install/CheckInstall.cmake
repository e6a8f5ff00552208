# Installs the build into a fresh prefix and compares the files there with the list of what an
# installed copy needs: nothing missing, nothing more.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -P CheckInstall.cmake

set(expected
  bin/fondex
  share/applications/org.fondex.Fondex.desktop
  share/metainfo/org.fondex.Fondex.metainfo.xml
  share/doc/fondex/copyright
  share/doc/fondex/changelog.gz
  share/man/man1/fondex.1.gz
  share/fondex/Fondex.hlp
  share/fondex/papiers-peints/degrades/aurore.bmp
  share/fondex/papiers-peints/degrades/crepuscule.bmp
  share/fondex/papiers-peints/degrades/ocean.bmp
  share/fondex/papiers-peints/motifs/hexagones.bmp
  share/fondex/papiers-peints/motifs/triangles.bmp
  share/fondex/papiers-peints/motifs/vagues.bmp
  share/fondex/papiers-peints/paysages/collines.bmp
  share/fondex/papiers-peints/paysages/lac.bmp
  share/fondex/papiers-peints/paysages/mer.bmp
  share/fondex/papiers-peints/paysages/montagnes.bmp
  share/icons/hicolor/scalable/apps/fondex.svg)
foreach(side 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${side}x${side}/apps/fondex.png)
endforeach()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)

set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(extra ${installed})
list(REMOVE_ITEM extra ${expected})
if(missing OR extra)
  message(FATAL_ERROR "missing: ${missing}\nnot expected: ${extra}")
endif()
foreach(file ${expected})
  file(SIZE ${PREFIX}/${file} size)
  if(size EQUAL 0)
    message(FATAL_ERROR "empty: ${file}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
