# The package's screenshots, made by the program itself: cmake -DPROGRAM= -DDATA= -DCONFIG=
# -DWORK= -DNAMES= -DTIMES= -DSECONDS= -DOUT= -P capture_screenshots.cmake. The program runs
# headless in WORK, a copy of the data folder DATA with the default CONFIG (so neither the user's
# settings nor the run's log touch DATA), with a key pressed at 35.5 s to set off the eruption,
# and captures a frame at each of the demo-clock seconds TIMES; the frames, in order, become
# OUT/NAME.png for the comma-separated NAMES.
file(REMOVE_RECURSE ${WORK} ${OUT})
file(STRINGS ${DATA}/manifest.txt files REGEX "^[^#]")
foreach(name manifest.txt ${files})
  get_filename_component(folder ${name} DIRECTORY)
  file(COPY ${DATA}/${name} DESTINATION ${WORK}/${folder})
endforeach()
file(COPY ${CONFIG} DESTINATION ${WORK})
file(WRITE ${WORK}/key.txt "35.5 keydown SPACE\n36 keyup SPACE\n")
execute_process(
  COMMAND ${PROGRAM} --headless --fixed-step 100 --seconds ${SECONDS} --input key.txt
          --capture frames --capture-at ${TIMES}
  WORKING_DIRECTORY ${WORK} OUTPUT_QUIET ERROR_VARIABLE log RESULT_VARIABLE status)
file(GLOB frames ${WORK}/frames/frame-*.png)
list(SORT frames)
string(REPLACE "," ";" names ${NAMES})
list(LENGTH frames count)
list(LENGTH names wanted)
if(NOT status EQUAL 0 OR NOT count EQUAL wanted)
  message(FATAL_ERROR "the screenshots' run ended with ${status} and ${count} frames:\n${log}")
endif()
file(MAKE_DIRECTORY ${OUT})
foreach(name ${names})
  list(POP_FRONT frames frame)
  file(RENAME ${frame} ${OUT}/${name}.png)
endforeach()
file(REMOVE_RECURSE ${WORK})
