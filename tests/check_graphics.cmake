# Draws the pictures and the icon again and compares them with the committed ones.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SCRATCH} ${SCRATCH}/zarn.png RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "make_graphics failed")
endif()
foreach(picture background.bmp player.bmp enemy.bmp ball.bmp endscreen.bmp)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    ${SCRATCH}/${picture} ${SOURCE}/graphics/${picture} RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "graphics/${picture} is not what make_graphics draws")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/zarn.png
  ${SOURCE}/dist/zarn.png RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "dist/zarn.png is not what make_graphics draws")
endif()
