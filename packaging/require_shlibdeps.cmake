# Read by cpack before it packages. Without dpkg-shlibdeps, CPack would quietly
# build a package that lists none of the libraries the program links to.
find_program(TIRLO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT TIRLO_DPKG_SHLIBDEPS)
  message(FATAL_ERROR "dpkg-shlibdeps is missing: install dpkg-dev (scripts/install-deps package)")
endif()
