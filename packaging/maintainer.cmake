# SPDX-License-Identifier: GPL-3.0-or-later
# The packages' maintainer: the one given to the build, else the one Debian's
# own tools take, "$DEBFULLNAME <$DEBEMAIL>" (DEBEMAIL may hold both).
function(veltrim_maintainer result given)
  set(found "${given}")
  if(NOT found AND DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
    if("$ENV{DEBEMAIL}" MATCHES "<")
      set(found "$ENV{DEBEMAIL}")
    elseif(DEFINED ENV{DEBFULLNAME} AND NOT "$ENV{DEBFULLNAME}" STREQUAL "")
      set(found "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
    endif()
  endif()
  set(${result} "${found}" PARENT_SCOPE)
endfunction()
