# Opus 1.3.1's CMakeLists.txt includes this file, which its release tarball
# (Debian's source) does not hold.  In the repository it only picks a build
# type when none was given; the web build always gives one.
