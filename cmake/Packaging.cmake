# What `make package` puts into the .deb: the program in bin/, everything it
# reads beside itself in share/sprzetnik (AppPaths::programDir finds it
# there), the desktop entry, icons and AppStream data in their freedesktop
# places, and the folder shared by the computer's users for the settings.
include(GNUInstallDirs)

set(SPRZETNIK_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/sprzetnik)
set(SPRZETNIK_APP_ID pl.sprzetnik.Sprzetnik)

install(TARGETS sprzetnik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/demo ${CMAKE_SOURCE_DIR}/data/empty
        DESTINATION ${SPRZETNIK_SHARE_DIR}/data)
install(FILES ${CMAKE_SOURCE_DIR}/data/porady.dat DESTINATION ${SPRZETNIK_SHARE_DIR}/data)
install(FILES ${CMAKE_SOURCE_DIR}/data/sprzetnik.ini DESTINATION ${SPRZETNIK_SHARE_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/raporty ${CMAKE_SOURCE_DIR}/dormak DESTINATION ${SPRZETNIK_SHARE_DIR}
        PATTERN README.md EXCLUDE)
install(FILES ${SPRZETNIK_MANUAL_PDF} ${SPRZETNIK_GUIDE_PDF} DESTINATION ${SPRZETNIK_SHARE_DIR}/dokumentacja)

install(FILES ${CMAKE_SOURCE_DIR}/resources/${SPRZETNIK_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/${SPRZETNIK_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/sprzetnik-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME sprzetnik.png)
endforeach()

# The settings folder of every user of the computer (config.dat, sprzetnik.ini,
# the error log): like the common application-data folder elsewhere, each
# user may create files in it. Removing the package leaves what they wrote.
install(DIRECTORY DESTINATION /var/lib/sprzetnik
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_WRITE GROUP_EXECUTE
                              WORLD_READ WORLD_WRITE WORLD_EXECUTE)

add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/sprzetnik.1.gz
  COMMAND gzip -n -9 -c ${CMAKE_SOURCE_DIR}/resources/man/sprzetnik.1 > ${CMAKE_BINARY_DIR}/sprzetnik.1.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/man/sprzetnik.1 VERBATIM)
install(FILES ${CMAKE_BINARY_DIR}/sprzetnik.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian's documentation files.
set(SPRZETNIK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/sprzetnik)
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright DESTINATION ${SPRZETNIK_DOC_DIR})
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -n -9 -c ${CMAKE_SOURCE_DIR}/resources/debian/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog VERBATIM)
add_custom_target(package_files ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz ${CMAKE_BINARY_DIR}/sprzetnik.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${SPRZETNIK_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sprzetnik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Sprzetnik")
set(CPACK_PACKAGE_CONTACT "Zespół programu Sprzetnik <sprzetnik@example.pl>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ewidencja sprzętu, oprogramowania i wyposażenia firmy")
set(CPACK_PACKAGE_DESCRIPTION
  "Register of a company's computers, other equipment, programs and licences,\n\
safety clothing and protective equipment, consumables, employees and companies,\n\
with deadlines, repairs, documents, reports and an encrypted database.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the libraries dpkg-shlibdeps finds: the display plugins, Qt's own
# dialogs in Polish, and the font of the reports.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://sprzetnik.example.pl")
include(CPack)
