# `cpack -G DEB` in the build folder: a Debian package of everything `cmake --install` puts in
# place, with its library dependencies found by dpkg-shlibdeps.
set(ROAMER_PACKAGE_MAINTAINER "Roamer developers <roamer@example.org>" CACHE STRING
    "Maintainer field of the Debian package: a name and a mail address")

set(CPACK_PACKAGE_NAME roamer)
set(CPACK_PACKAGE_VENDOR "Roamer developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "walkthrough player for interior room designs")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME roamer)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ROAMER_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by shlibdeps: libEGL, which libepoxy opens at run time, the Mesa
# drivers behind it, and a Ming face for the player's Traditional Chinese texts. (Qt's X11 and
# SVG plugins come with libqt6gui6 and libqt6svg6, which the player links.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libegl1, libegl-mesa0, libgl1-mesa-dri")
if(TARGET roamer)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", fonts-arphic-uming")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
# The summary above is the first line; CPack indents these lines and turns the empty one into
# the paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Roamer builds each room design of a play list as a 3D room (walls with door
openings, textured floors and ceilings, furniture, plants, lights, floor
reflections and shadows) and replays the walk recorded for it, pass after
pass, design after design. The rooms can also be walked with the keyboard
and the mouse, and furniture moved and saved in edit mode.

roamer-check reads play lists, browse paths and designs as the player does
and reports every message; roamer-render renders a design to PNG or OBJ, or
the walk of a design or play list to an MP4 video, without a display. The
manual and three sample rooms are included.")

include(CPack)
