# Debian's hardening in full, and -O3 on top of Debian's -O2: -O3 vectorises the
# loop that turns draws into die values (make bench). Read by debian/rules and by
# the Makefile, so that the program built, benchmarked and packaged is one.
export DEB_BUILD_MAINT_OPTIONS = hardening=+all
export DEB_CXXFLAGS_MAINT_APPEND = -O3
