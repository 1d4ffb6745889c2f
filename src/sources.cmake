# The game's source files, for each build of it: the native one, the browser's and Windows'.
# The browser has its own loading of the pictures and the font in place of ZARN_LOADING_SOURCES.
set(ZARN_ENTRY_SOURCE ${CMAKE_CURRENT_LIST_DIR}/game/main.cpp)
set(ZARN_GAME_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/game/state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/player.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/media.cpp)
set(ZARN_LOADING_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/media/image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/font.cpp)
