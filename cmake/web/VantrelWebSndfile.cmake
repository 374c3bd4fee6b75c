# The web build's decoder of compressed CD tracks and streams: libsndfile
# with its FLAC, Ogg Vorbis and Opus codecs, each cross-built from Debian's
# source (web/VantrelWebLibraries.cmake), so that a page decodes a track
# exactly as the Linux build does.  The browser's own decoder
# (decodeAudioData) was not taken: it decodes a whole file at once, into
# memory, and only when the program gives the browser a turn, while a track
# here is decoded a window at a time as it plays and a play from any place
# must start at once.
#
# libsndfile's MP3 support needs mpg123 and LAME, which are left out: a page
# plays FLAC, Ogg and WAV tracks.  About two minutes the first time on two
# cores, a few seconds after.
include(${CMAKE_CURRENT_LIST_DIR}/VantrelWebLibraries.cmake)

# Optimised for size, but for Vorbis: a page downloads every format
# libsndfile knows and both halves of FLAC and Opus (its format table refers
# to them all), and the codecs a page plays need little speed, except
# Vorbis's decoder.  Built for size it took long enough in the mixer's turn
# on the browser's one thread for the output to lose a render quantum now
# and then (two in one run of the CD page test, none in twelve at -O3).
set(small "-DCMAKE_C_FLAGS_RELEASE=-Os -DNDEBUG")

vantrel_web_library(libogg CMAKE_ARGS -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF)
vantrel_web_library(libvorbis NEEDS libogg CMAKE_ARGS -DBUILD_TESTING=OFF)
vantrel_web_library(flac NEEDS libogg CMAKE_ARGS ${small}
  -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF
  -DINSTALL_MANPAGES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF)
vantrel_web_library(opus ADD_FILES ${CMAKE_CURRENT_LIST_DIR}/opus_buildtype.cmake CMAKE_ARGS ${small}
  -DOPUS_BUILD_PROGRAMS=OFF -DOPUS_BUILD_TESTING=OFF -DOPUS_STACK_PROTECTOR=OFF -DOPUS_FORTIFY_SOURCE=OFF)
vantrel_web_library(libsndfile NEEDS libogg libvorbis flac opus CMAKE_ARGS ${small}
  -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF -DENABLE_MPEG=OFF
  -DENABLE_EXTERNAL_LIBS=ON -DINSTALL_MANPAGES=OFF -DINSTALL_PKGCONFIG_MODULE=OFF
  -DCMAKE_FIND_PACKAGE_PREFER_CONFIG=ON)
# Found afresh each time: a changed recipe builds into a new folder, which
# package folders cached by an earlier configure would hide.
foreach(name SndFile Ogg Vorbis FLAC Opus)
  unset(${name}_DIR CACHE)
endforeach()
find_package(SndFile CONFIG REQUIRED)

# Their archives, whose functions ASYNCIFY leaves alone
# (web/VantrelWebOptions.cmake).
set(VANTREL_WEB_DECODER_ARCHIVES)
foreach(package libogg libvorbis flac opus libsndfile)
  get_property(prefix GLOBAL PROPERTY VANTREL_WEB_LIBRARY_${package})
  file(GLOB archives ${prefix}/lib/*.a)
  list(APPEND VANTREL_WEB_DECODER_ARCHIVES ${archives})
endforeach()
