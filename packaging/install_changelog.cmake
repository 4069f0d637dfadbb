# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the change log, signed by the packages' maintainer, compressed as
# Debian wants it. Run at install time (also by cpack) with
# VELTRIM_CHANGELOG_SOURCE, VELTRIM_CHANGELOG_FOLDER, VELTRIM_MAINTAINER and
# PROJECT_VERSION set.
include(${CMAKE_CURRENT_LIST_DIR}/maintainer.cmake)
veltrim_maintainer(maintainer "${VELTRIM_MAINTAINER}")
if(NOT maintainer)
  message(STATUS "No change log: no maintainer (VELTRIM_MAINTAINER, or DEBFULLNAME and DEBEMAIL)")
  return()
endif()
file(MAKE_DIRECTORY "${VELTRIM_CHANGELOG_FOLDER}")
configure_file("${VELTRIM_CHANGELOG_SOURCE}" "${VELTRIM_CHANGELOG_FOLDER}/changelog" @ONLY)
execute_process(COMMAND gzip -9nf "${VELTRIM_CHANGELOG_FOLDER}/changelog" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip could not compress ${VELTRIM_CHANGELOG_FOLDER}/changelog")
endif()
message(STATUS "Installing: ${VELTRIM_CHANGELOG_FOLDER}/changelog.gz")
