# Type sizes of WebAssembly (wasm32, emscripten's C library), given to the
# third-party builds of web/VantrelWebLibraries.cmake before they configure.
#
# CMake's check_type_size() reads the size out of the program its test
# compiles, and emscripten's programs are JavaScript with the data in a
# separate .wasm: the check finds nothing, and a package then stops ("No 16
# bit type found") or, worse, takes a wrong branch.  The check keeps the
# answers below and looks no further.  Names are the packages' own
# (libogg's, libsndfile's).
foreach(entry
    INT16_SIZE:2 UINT16_SIZE:2 U_INT16_SIZE:2 INT32_SIZE:4 UINT32_SIZE:4 U_INT32_SIZE:4 INT64_SIZE:8
    SHORT_SIZE:2 INT_SIZE:4 LONG_SIZE:4 LONG_LONG_SIZE:8
    SIZEOF_INT64_T:8 SIZEOF_LONG:4 SIZEOF_LONG_LONG:8 SIZEOF_SSIZE_T:4 SIZEOF_WCHAR_T:4 SIZEOF_VOIDP:4
    SIZEOF_OFF_T:8)
  string(REPLACE ":" ";" entry "${entry}")
  list(GET entry 0 name)
  list(GET entry 1 size)
  set(HAVE_${name} TRUE CACHE INTERNAL "")
  set(${name} ${size} CACHE INTERNAL "")
endforeach()
