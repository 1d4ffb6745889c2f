# The game's source files, for each build of it: the native one, the browser's and Windows'.
# The browser has its own loading of the pictures and the font in place of ZARN_LOADING_SOURCES.
set(ZARN_ENTRY_SOURCE ${CMAKE_CURRENT_LIST_DIR}/game/main.cpp)
set(ZARN_GAME_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/game/state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game/player.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/errors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/media.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/pad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/screen.cpp)
# What the desktop asks of the window; Windows and the browser have their own.
set(ZARN_DESKTOP_SOURCE ${CMAKE_CURRENT_LIST_DIR}/media/desktop.cpp)
set(ZARN_LOADING_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/media/image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/media/font.cpp)

# Every build compiles the game alike: C++17, every warning an error, and each program or library
# as one file, so that the headers under it are read once, not once a source.
set(CMAKE_UNITY_BUILD ON)
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-Wall;-Wextra;-Werror>")

# The in-process tests, which the native build runs on each SDL 1.2 and the Windows build runs
# under Wine, and the helpers they share with the end-to-end tests. They make their BMP files with
# tools/bmp_writer.cpp, as the fuzzers' first inputs are made. They count the game's flips and run
# it on a clock of their own: SDL's calls for them are wrapped (round_test.cpp, draw_test.cpp).
set(ZARN_UNIT_TEST_SOURCES media_test.cpp round_test.cpp draw_test.cpp pad_test.cpp)
set(ZARN_UNIT_TEST_WRAPS -Wl,--wrap=SDL_Flip,--wrap=SDL_GetTicks,--wrap=SDL_Delay)
set(ZARN_TEST_SUPPORT_SOURCES support.cpp bmp_file.cpp)
list(TRANSFORM ZARN_UNIT_TEST_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../tests/)
# The rules and the browser's frame pacing are plain arithmetic, tested once, natively.
set(ZARN_LOGIC_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/player_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../tests/pace_test.cpp ${CMAKE_CURRENT_LIST_DIR}/../web/pace.cpp)
list(TRANSFORM ZARN_TEST_SUPPORT_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../tests/)
list(APPEND ZARN_TEST_SUPPORT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tools/bmp_writer.cpp)
# The tests' own code compiles at -Og, in less than half the time -O2 takes; the game they test
# keeps its build's optimisation.
set(ZARN_TEST_COMPILE_OPTIONS -Og)

# What the page, the scripts and the installs must know of the game, read from the two headers
# that name it once, src/media/files.h and src/game/game.h: each text and whole number they
# define as ZARN_<name> (ZARN_FONT_FILE, ZARN_SCREEN_WIDTH, ZARN_WINDOW_TITLE, ...); the pictures
# the game loads, in order, as ZARN_PICTURES; everything a copy of the game ships in graphics/ as
# ZARN_GRAPHICS_FILES; the icons' sizes as ZARN_ICON_SIZES (the desktop's) and their files as
# ZARN_ICON_FILES; every text and whole number as one JSON object in ZARN_FACTS_JSON, for the
# scripts. ZARN_READ_CHECK is a source file of static assertions that what was read here
# is what the compiler sees: every build compiles it, so a header reworded past these patterns
# fails the build.
file(READ ${CMAKE_CURRENT_LIST_DIR}/media/files.h zarnFiles)
file(READ ${CMAKE_CURRENT_LIST_DIR}/game/game.h zarnRules)
# A semicolon is CMake's list separator: a declaration ends in @ here.
string(REPLACE ";" "@" zarnHeaders "${zarnFiles}${zarnRules}")
string(CONCAT zarnChecks "#include \"game/game.h\"\n#include \"media/files.h\"\n\n"
  "constexpr bool Same(const char* a, const char* b) {\n"
  "    return *a == *b && (*a == 0 || Same(a + 1, b + 1));\n}\n")
set(ZARN_GRAPHICS_FILES)
set(ZARN_FACTS_JSON)
set(text "(#define|constexpr char) ([A-Z_]+)(\\[\\] =)? \"([^\"]*)\"")
string(REGEX MATCHALL "${text}" definitions "${zarnHeaders}")
foreach(definition IN LISTS definitions)
  string(REGEX MATCH "${text}" _ "${definition}")
  set(name ${CMAKE_MATCH_2})
  set(ZARN_${name} "${CMAKE_MATCH_4}")
  string(APPEND zarnChecks "static_assert(Same(${name}, \"${ZARN_${name}}\"));\n")
  string(APPEND ZARN_FACTS_JSON "\"${name}\": \"${ZARN_${name}}\", ")
  if(name MATCHES "_FILE$")
    list(APPEND ZARN_GRAPHICS_FILES ${ZARN_${name}})
  endif()
endforeach()
set(number "(#define|const int) ([A-Z_]+)( =)? ([0-9]+)[@\n]")
string(REGEX MATCHALL "${number}" definitions "${zarnHeaders}")
foreach(definition IN LISTS definitions)
  string(REGEX MATCH "${number}" _ "${definition}")
  set(ZARN_${CMAKE_MATCH_2} ${CMAKE_MATCH_4})
  string(APPEND zarnChecks "static_assert(${CMAKE_MATCH_2} == ${CMAKE_MATCH_4});\n")
  string(APPEND ZARN_FACTS_JSON "\"${CMAKE_MATCH_2}\": ${CMAKE_MATCH_4}, ")
endforeach()
string(REGEX MATCHALL "PICTURE\\([A-Za-z]+, [A-Z_]+_FILE," pictures "${zarnFiles}")
string(REGEX REPLACE "PICTURE\\([A-Za-z]+, ([A-Z_]+_FILE)," "\\1" pictures "${pictures}")
set(ZARN_PICTURES)
foreach(constant IN LISTS pictures)
  list(APPEND ZARN_PICTURES ${ZARN_${constant}})
endforeach()
string(REGEX MATCHALL "ICON\\([0-9]+\\)" zarnIcons "${zarnFiles}")
string(REGEX REPLACE "ICON\\(([0-9]+)\\)" "\\1" ZARN_ICON_SIZES "${zarnIcons}")
# Every icon file in dist/icons/.
list(TRANSFORM ZARN_ICON_SIZES REPLACE "(.+)" "zarn-\\1.png" OUTPUT_VARIABLE ZARN_ICON_FILES)
list(APPEND ZARN_ICON_FILES zarn-${ZARN_APP_ICON_SIZE}.png
  zarn-maskable-${ZARN_MASKABLE_ICON_SIZE}.png)
list(JOIN ZARN_PICTURES "," pictures)
list(JOIN ZARN_ICON_SIZES "," icons)
string(APPEND zarnChecks
  "#define FILE_NAME(handle, file, required) file \",\"\n"
  "static_assert(Same(FOR_EACH_PICTURE(FILE_NAME), \"${pictures},\"));\n"
  "#define SIZE(size) #size \",\"\n"
  "static_assert(Same(FOR_EACH_ICON_SIZE(SIZE), \"${icons},\"));\n")
foreach(fact GRAPHICS_DIR FONT_FILE FONT_LICENCE_FILE ENEMY_FILE APP_ICON_SIZE MASKABLE_ICON_SIZE
    SCREEN_WIDTH SCREEN_HEIGHT HUD_FONT_SIZE WINDOW_TITLE HUD_CHARACTERS PICTURES GRAPHICS_FILES
    ICON_SIZES)
  if(NOT ZARN_${fact})
    message(FATAL_ERROR "cannot read ${fact} from src/media/files.h and src/game/game.h")
  endif()
endforeach()
string(REGEX REPLACE "(.*), $" "{ \\1 }" ZARN_FACTS_JSON "${ZARN_FACTS_JSON}")
set(ZARN_READ_CHECK ${CMAKE_BINARY_DIR}/read_check.cpp)
file(CONFIGURE OUTPUT ${ZARN_READ_CHECK} CONTENT "${zarnChecks}")
list(APPEND ZARN_GAME_SOURCES ${ZARN_READ_CHECK})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/media/files.h ${CMAKE_CURRENT_LIST_DIR}/game/game.h)

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
