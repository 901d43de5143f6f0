# Install rules and the Debian package (CPack), included from the top-level
# CMakeLists.txt. Every file here is also laid out by "cmake --install":
#   bin/zlc, bin/zlc-search
#   share/applications/io.github.zlc.Calculator.desktop
#   share/metainfo/io.github.zlc.Calculator.metainfo.xml
#   share/icons/hicolor/{16x16,...,256x256,scalable}/apps/io.github.zlc.Calculator.*
#   share/man/man1/zlc.1.gz, share/man/man1/zlc-search.1.gz
#   share/doc/zlc/copyright, share/doc/zlc/changelog.gz
#   share/doc/zlc/manual.md, manual.ru.md (Russian), images/*.png, images/ru/*.png
#   (the window reads them)
# The icon's PNGs are rendered from its SVG by render-icons.sh and committed.
include(GNUInstallDirs)

set(ZLC_APP_ID io.github.zlc.Calculator)
set(ZLC_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

if(TARGET zlc)
  install(TARGETS zlc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${ZLC_PACKAGING_DIR}/${ZLC_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ZLC_PACKAGING_DIR}/${ZLC_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${ZLC_PACKAGING_DIR}/icons/hicolor
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
          FILES_MATCHING PATTERN "${ZLC_APP_ID}.png" PATTERN "${ZLC_APP_ID}.svg")
endif()
install(TARGETS zlc-search RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual pages and the changelog, compressed as Debian wants them
# (gzip -9n: best compression, no name or time stamp, so reproducible).
find_program(ZLC_GZIP gzip REQUIRED)
set(ZLC_COMPRESSED)
set(ZLC_MAN_PAGES zlc-search.1)
if(TARGET zlc)
  list(APPEND ZLC_MAN_PAGES zlc.1)
endif()
foreach(name IN LISTS ZLC_MAN_PAGES ITEMS changelog)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name})
  add_custom_command(OUTPUT ${out}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${ZLC_PACKAGING_DIR}/${name} ${out}
    COMMAND ${ZLC_GZIP} -9nf ${out}
    DEPENDS ${ZLC_PACKAGING_DIR}/${name}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND ZLC_COMPRESSED ${out}.gz)
endforeach()
add_custom_target(zlc_packaging_files ALL DEPENDS ${ZLC_COMPRESSED})
list(TRANSFORM ZLC_MAN_PAGES PREPEND ${CMAKE_CURRENT_BINARY_DIR}/packaging/)
list(TRANSFORM ZLC_MAN_PAGES APPEND .gz)
install(FILES ${ZLC_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ZLC_PACKAGING_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The manual stays uncompressed: Help -> "Manual" reads it from here, and
# its pictures beside it by their relative links.
file(GLOB ZLC_MANUALS ${ZLC_PACKAGING_DIR}/../docs/manual*.md)
install(FILES ${ZLC_MANUALS} DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${ZLC_PACKAGING_DIR}/../docs/images DESTINATION ${CMAKE_INSTALL_DOCDIR}
        FILES_MATCHING PATTERN "*.png")

# The Debian package: zlc_<version>_amd64.deb. Its dependencies on Qt's
# runtime packages come from dpkg-shlibdeps (package dpkg-dev).
set(ZLC_PACKAGE_MAINTAINER "zlc developers <zlc@example.org>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zlc)
set(CPACK_PACKAGE_VENDOR "zlc developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for a chain patience (Zelt calculator)")
set(CPACK_PACKAGE_DESCRIPTION
"Zelt calculator searches the layouts of a chain patience played with a
36-card deck that satisfy a task and converge to two cards, analyses every
result (static and mobile cards, transits, one hexagram per suit, the hex
balance) and filters, lists, logs and saves the results.

The package holds the calculator's window, zlc, found in the menu as Zelt
calculator, and zlc-search, the same search without a window.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZLC_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET zlc)
  # The window's layouts were drawn for Liberation Sans (ui/look.cpp).
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation")
  # Qt's own texts (the file dialogs' buttons) in the interface's language.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
endif()
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
