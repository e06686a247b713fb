# Debian packages of the library, built by CPack from an install to /usr:
#   libvelloran<soname>   the shared library
#   libvelloran-dev       headers, static library, pkg-config and CMake files
# (the package preset configures it, `cpack` in build/deb writes them and
# scripts/package-test installs and checks them).
# The licence, where Debian looks for it: /usr/share/doc/<package>/copyright,
# machine-readable, in both packages. Its text is LICENSE's, each paragraph
# indented by one space and blank lines written " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license_text)
string(REGEX REPLACE "^MIT License\n\n" "" license_text "${license_text}")
string(REGEX REPLACE "\n$" "" license_text "${license_text}")
string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " LICENSE_PARAGRAPHS " ${license_text}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libvelloran${VELLORAN_SOVERSION} COMPONENT runtime)
install(FILES ${PROJECT_BINARY_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libvelloran-dev COMPONENT development)

set(CPACK_PACKAGE_NAME velloran)
set(CPACK_PACKAGE_VENDOR "Velloran")
set(CPACK_PACKAGE_CONTACT "Velloran developers <velloran@velloran.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libvelloran${VELLORAN_SOVERSION})
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "${PROJECT_DESCRIPTION} (shared library)
 Velloran builds RTF documents of pages, paragraphs of formatted text runs,
 tables, pictures and drawing objects, and writes them as a string or a file.")
# Every library it links (the C and C++ runtimes, libpng, libjpeg-turbo,
# giflib) becomes a dependency on its Debian package.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libvelloran-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "${PROJECT_DESCRIPTION} (development files)
 Headers, the static library, and the pkg-config and CMake package files for
 building programs with Velloran.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "libvelloran${VELLORAN_SOVERSION} (= ${PROJECT_VERSION}), libpng-dev, libjpeg62-turbo-dev | libjpeg-dev, libgif-dev")
include(CPack)
