# `cpack -G DEB` in the build folder: kalmo-translator_VERSION_ARCH.deb from
# what `cmake --install` installs, its library dependencies found by
# dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME kalmo-translator)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${KALMO_MAINTAINER_NAME}")
set(CPACK_PACKAGE_CONTACT "${KALMO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "translator for KALMO CMS language files")
set(CPACK_PACKAGE_DESCRIPTION "KALMO Translator steps through the entries of a language file of the
KALMO content-management system (PHP source with one define() line per
text), shows each constant's name and text, takes the translation and
writes the translated copy beside the source file. Every line that is not
translated keeps its bytes. The package also holds kalmo, a command-line
companion that drives the same translation from a script.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kalmo-translator)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KALMO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KALMO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the panes draw with; no library pulls them in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-wqy-microhei, fonts-thai-tlwg-ttf, fonts-lohit-deva")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
