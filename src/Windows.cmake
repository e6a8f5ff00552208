# The system services through the system's own calls.
file(GLOB FONDEX_WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
add_library(fondex_win32 STATIC ${FONDEX_WIN32_SOURCES})
target_include_directories(fondex_win32 PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(fondex_win32 PUBLIC ole32 shell32 user32 uuid)

# The native views of the core's control models.
file(GLOB FONDEX_WIN32UI_SOURCES CONFIGURE_DEPENDS win32ui/*.cpp)
add_library(fondex_win32ui STATIC ${FONDEX_WIN32UI_SOURCES})
target_link_libraries(fondex_win32ui PUBLIC fondex_core fondex_win32 comctl32 comdlg32 gdi32 uxtheme)

file(GLOB FONDEX_WIN32_APP_SOURCES CONFIGURE_DEPENDS app/win32/*.cpp)
add_executable(fondex WIN32 ${FONDEX_WIN32_APP_SOURCES} ${PROJECT_SOURCE_DIR}/resources/win32/fondex.rc)
target_link_libraries(fondex PRIVATE fondex_win32ui)
set_target_properties(fondex PROPERTIES OUTPUT_NAME fondex)
target_compile_definitions(fondex PRIVATE
  FONDEX_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} FONDEX_VERSION_MINOR=${PROJECT_VERSION_MINOR})
set_source_files_properties(${PROJECT_SOURCE_DIR}/resources/win32/fondex.rc PROPERTIES
  COMPILE_DEFINITIONS "FONDEX_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};FONDEX_VERSION_MINOR=${PROJECT_VERSION_MINOR}")
# The help file lives beside the executable.
add_custom_command(TARGET fondex POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
    ${PROJECT_SOURCE_DIR}/resources/Fondex.hlp $<TARGET_FILE_DIR:fondex>/Fondex.hlp)

# fondex-<version>-win64.zip: the program and its help, nothing else needed.
install(TARGETS fondex RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/Fondex.hlp DESTINATION .)
set(CPACK_PACKAGE_NAME fondex)
set(CPACK_PACKAGE_FILE_NAME fondex-${PROJECT_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

# fondex-<version>-win64-setup.exe: the same two files installed for the current user, with a
# Start-menu entry and an uninstaller. Its script's warnings are errors, as the compiler's are.
find_program(FONDEX_MAKENSIS makensis REQUIRED)
set(FONDEX_INSTALLER_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/windows/fondex.nsi)
set(FONDEX_INSTALLER ${PROJECT_BINARY_DIR}/fondex-${PROJECT_VERSION}-win64-setup.exe)
set(FONDEX_ICON ${PROJECT_SOURCE_DIR}/resources/win32/glyphs/programme.ico)
set(FONDEX_PAGE_PICTURE ${PROJECT_SOURCE_DIR}/resources/win32/glyphs/installeur-page.bmp)
set(FONDEX_HEADER_PICTURE ${PROJECT_SOURCE_DIR}/resources/win32/glyphs/installeur-entete.bmp)
add_custom_command(OUTPUT ${FONDEX_INSTALLER}
  COMMAND ${FONDEX_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
    -DPROGRAM=$<TARGET_FILE:fondex> -DHELP=${PROJECT_SOURCE_DIR}/resources/Fondex.hlp
    -DICON=${FONDEX_ICON} -DPAGE_PICTURE=${FONDEX_PAGE_PICTURE}
    -DHEADER_PICTURE=${FONDEX_HEADER_PICTURE} -DOUTFILE=${FONDEX_INSTALLER} ${FONDEX_INSTALLER_SCRIPT}
  DEPENDS fondex ${FONDEX_INSTALLER_SCRIPT} ${PROJECT_SOURCE_DIR}/resources/Fondex.hlp ${FONDEX_ICON}
    ${FONDEX_PAGE_PICTURE} ${FONDEX_HEADER_PICTURE}
  VERBATIM)
add_custom_target(fondex_installer ALL DEPENDS ${FONDEX_INSTALLER})
set_target_properties(fondex_installer PROPERTIES INSTALLER_FILE ${FONDEX_INSTALLER})
