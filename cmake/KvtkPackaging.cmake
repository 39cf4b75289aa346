# CPack: a Debian package (kvtk_<version>_<arch>.deb, its Depends found by
# dpkg-shlibdeps) and a .tar.gz of the same installation. scripts/package
# builds both from a Release tree.
set(CPACK_PACKAGE_NAME kvtk)
set(CPACK_PACKAGE_VENDOR "The KV Programming Kit developers")
set(CPACK_PACKAGE_CONTACT "${KVTK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for addressable lighting relay panels")
# Debian wants the extended description in lines of under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Edits the configuration of KV lighting relay panels (up to 120 switch"
  "inputs, 60 relays and 60 groups), reads it from a panel over a serial line"
  "or through a TCP relay server, writes it back and makes the panel save it,"
  "keeps it in .kvx files and prints it. It watches inputs and groups live,"
  "switches groups, lists bad relays, scans addresses, changes a panel's"
  "address and resets it."
  ""
  "A command-line companion (kvtk-cli) and a panel simulator (kvtk-sim) come"
  "with it.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${KVTK_HOMEPAGE_URL}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
