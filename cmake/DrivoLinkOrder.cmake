# SPDX-License-Identifier: GPL-3.0-or-later
# drivo_toolkit_first(<target>...): the program's needed libraries start with Qt, the C++
# library and the C library. At start the dynamic loader looks up the symbols of every library
# in that order (all of them at once under -z now, as the package's programs are linked), and
# nearly every lookup ends in one of those; the few libraries only the program itself uses
# (udev, libjpeg, libpng) would otherwise be searched first at every lookup. Sanitizer runtimes
# must come first instead, so those builds keep the linker's order.
function(drivo_toolkit_first)
  if(DRIVO_SANITIZE)
    return()
  endif()
  foreach(target IN LISTS ARGN)
    target_link_options(${target} PRIVATE
      "SHELL:-Wl,--push-state,--no-as-needed $<TARGET_FILE:Qt6::Widgets> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Core> -lstdc++ -l:libc.so.6 -Wl,--pop-state")
  endforeach()
endfunction()
