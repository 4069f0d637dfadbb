# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack for each package: the maintainer when the build was not
# given one.
include(${CMAKE_CURRENT_LIST_DIR}/maintainer.cmake)
if(NOT CPACK_DEBIAN_PACKAGE_MAINTAINER)
  veltrim_maintainer(CPACK_DEBIAN_PACKAGE_MAINTAINER "")
endif()
