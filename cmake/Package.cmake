# The release: Ombrel-<version>-win64.zip with Ombrel, its guard, the companion service, the
# settings file's schema, the README and the licence.
#   cmake --build --preset mingw --target package
install(TARGETS Ombrel OmbrelGuard SampleQx3Service RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
              ${OMBREL_SETTINGS_SCHEMA_FILE} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Ombrel)
set(CPACK_PACKAGE_VENDOR Kelvora)
set(OMBREL_PACKAGE_NAME "Ombrel-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_FILE_NAME ${OMBREL_PACKAGE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
