# The user manual (HTML pages made from docs/manual/*.md at build time), the
# icon pictures, and what `cmake --install` puts under the prefix: the
# program, its desktop entry, AppStream data, icons and manual.
include(GNUInstallDirs)

add_executable(manual_html tools/manual_html.cpp)
file(GLOB QUARN_MANUAL_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/manual/*.md)
set(QUARN_MANUAL_DIR ${CMAKE_BINARY_DIR}/manual)
set(QUARN_MANUAL_HTML)
foreach(page ${QUARN_MANUAL_PAGES})
  get_filename_component(name ${page} NAME_WE)
  list(APPEND QUARN_MANUAL_HTML ${QUARN_MANUAL_DIR}/${name}.html)
endforeach()
add_custom_command(OUTPUT ${QUARN_MANUAL_HTML}
  COMMAND manual_html ${QUARN_MANUAL_DIR} ${QUARN_MANUAL_PAGES}
  DEPENDS manual_html ${QUARN_MANUAL_PAGES})
add_custom_target(manual ALL DEPENDS ${QUARN_MANUAL_HTML})

add_executable(app_icon tools/app_icon.cpp)
target_link_libraries(app_icon PRIVATE Qt6::Gui)
set(QUARN_ICON_SIZES 16 24 32 48 64 128 256)
set(QUARN_ICON_PNGS)
foreach(size ${QUARN_ICON_SIZES})
  list(APPEND QUARN_ICON_PNGS ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/org.quarn.Quarn.png)
endforeach()
add_custom_command(OUTPUT ${QUARN_ICON_PNGS}
  COMMAND app_icon ${CMAKE_BINARY_DIR}/icons/hicolor ${QUARN_ICON_SIZES}
  DEPENDS app_icon)
add_custom_target(app_icons ALL DEPENDS ${QUARN_ICON_PNGS})

install(TARGETS quarn RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/org.quarn.Quarn.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/org.quarn.Quarn.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/org.quarn.Quarn.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(DIRECTORY ${QUARN_MANUAL_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quarn/manual)
