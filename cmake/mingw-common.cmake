# Shared by the mingw-w64 toolchains; ORVEL_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)

# Distributions name the compilers differently: Debian and Ubuntu ship both
# thread models as -posix and -win32 (the plain name pointing at one of them),
# others only the plain name. The POSIX model comes first for std::thread.
find_program(ORVEL_MINGW_CXX NAMES ${ORVEL_MINGW_TRIPLE}-g++-posix ${ORVEL_MINGW_TRIPLE}-g++-win32
                                   ${ORVEL_MINGW_TRIPLE}-g++ REQUIRED)
find_program(ORVEL_MINGW_CC NAMES ${ORVEL_MINGW_TRIPLE}-gcc-posix ${ORVEL_MINGW_TRIPLE}-gcc-win32
                                  ${ORVEL_MINGW_TRIPLE}-gcc REQUIRED)
find_program(ORVEL_MINGW_RC NAMES ${ORVEL_MINGW_TRIPLE}-windres REQUIRED)
set(CMAKE_CXX_COMPILER ${ORVEL_MINGW_CXX})
set(CMAKE_C_COMPILER ${ORVEL_MINGW_CC})
set(CMAKE_RC_COMPILER ${ORVEL_MINGW_RC})

set(CMAKE_FIND_ROOT_PATH /usr/${ORVEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests run under Wine, in the prefix the test preset names.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
