# The game's source files, for each build of it: the native one, the browser's and Windows'.
# The browser has its own loading of the pictures and the font in place of ZARN_LOADING_SOURCES.
set(ZARN_ENTRY_SOURCE ${CMAKE_CURRENT_LIST_DIR}/game/main.cpp)
set(ZARN_GAME_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/game/state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/player.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/media.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/screen.cpp)
# What the desktop asks of the window; Windows and the browser have their own.
set(ZARN_DESKTOP_SOURCE ${CMAKE_CURRENT_LIST_DIR}/media/desktop.cpp)
set(ZARN_LOADING_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/media/image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/font.cpp)

# The game's files in graphics/, as src/media/files.h names them: ZARN_PICTURES the pictures it
# loads, in order; ZARN_GRAPHICS_FILES everything a copy of the game ships there; and each name
# on its own, as ZARN_<name> (ZARN_FONT_FILE, ...).
file(READ ${CMAKE_CURRENT_LIST_DIR}/media/files.h zarnFiles)
string(REGEX MATCHALL "#define [A-Z_]+_FILE \"[^\"]+\"" zarnFileNames "${zarnFiles}")
set(ZARN_GRAPHICS_FILES)
foreach(definition IN LISTS zarnFileNames)
  string(REGEX MATCH "([A-Z_]+_FILE) \"(.+)\"" _ "${definition}")
  set(ZARN_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  list(APPEND ZARN_GRAPHICS_FILES ${CMAKE_MATCH_2})
endforeach()
string(REGEX MATCHALL "PICTURE\\([A-Za-z]+, [A-Z_]+_FILE," zarnPictureLines "${zarnFiles}")
set(ZARN_PICTURES)
foreach(line IN LISTS zarnPictureLines)
  string(REGEX MATCH "[A-Z_]+_FILE" constant "${line}")
  list(APPEND ZARN_PICTURES ${ZARN_${constant}})
endforeach()

# The game's version, for the builds that are projects of their own: the native project's, as
# its configure step writes it out.
function(zarn_version outVariable)
  get_filename_component(game ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/.. ABSOLUTE)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${game} -B ${CMAKE_BINARY_DIR}/zarn-version
    -DZARN_VERSION_ONLY=ON OUTPUT_QUIET RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot read the game's version from ${game}/CMakeLists.txt")
  endif()
  file(STRINGS ${CMAKE_BINARY_DIR}/zarn-version/version.txt version)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${game}/CMakeLists.txt)
  set(${outVariable} ${version} PARENT_SCOPE)
endfunction()
